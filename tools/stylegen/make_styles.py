#!/usr/bin/env python3
"""Writes res/styles/*.kvstyle from a few base colours per look.

Each look is given by its family (light or dark), its window, text and button face colours
and an accent; every other colour is mixed from these. Text colours that would read poorly
(contrast below 4.5 against their background) are replaced by black or white, whichever
reads better. Run from the repository root; the files are checked in, so the build does not
need Python.
"""
import os

LOOKS = [
    # name, family, window, text, face, accent, button radius, check radius
    ("Amakrits", "dark", "2A2623", "EFE7DD", "3A342F", "E08A3C", 3, 2),
    ("Amethyst Kamri", "dark", "2D2638", "EEE8F5", "3D3350", "A77BE0", 3, 2),
    ("Aqua Graphite", "dark", "2A2D31", "E6E9EC", "3A3F45", "29B6C6", 2, 1),
    ("Aqua Light Slate", "light", "E6EBEE", "17232B", "D0D9DF", "00A0B0", 2, 1),
    ("Auric", "dark", "232019", "F2E9D0", "332E24", "E2B33C", 2, 1),
    ("Carbon", "dark", "1D1F21", "E4E4E4", "2E3134", "5E9ED6", 0, 0),
    ("Charcoal Dark Slate", "dark", "2B3035", "E3E7EA", "3A4148", "7A9CB8", 2, 1),
    ("Cobalt XEMedia", "dark", "1C2A44", "E6EEFA", "263A5E", "4F8EF7", 3, 2),
    ("Cyan Dusk", "dark", "24323A", "E2F1F5", "2F434D", "3FC4D8", 2, 1),
    ("Cyan Night", "dark", "11191F", "D9F3F8", "1B2830", "20B8D0", 2, 1),
    ("Emerald Light Slate", "light", "E6EBEA", "16241F", "D0DAD6", "1E9E6A", 2, 1),
    ("Glossy", "dark", "2B2B2B", "F2F2F2", "3C3C3C", "66A3FF", 4, 2),
    ("Glow", "dark", "1E2126", "E8ECF1", "2C3139", "47C1E8", 4, 2),
    ("Golden Graphite", "dark", "2A2A2C", "ECE7DC", "3B3A3C", "D4A72C", 2, 1),
    ("Iceberg Classico", "light", "EEF4F8", "16283A", "DCE8F0", "3B7DB0", 3, 1),
    ("Lavender Classico", "light", "F1EEF7", "2B2140", "E1DAEF", "7A5BB5", 3, 1),
    ("Light", "light", "FAFAFA", "1A1A1A", "EDEDED", "0063B1", 0, 0),
    ("Luna", "light", "ECE9D8", "000000", "F5F4EA", "316AC5", 3, 2),
    ("Metropolis UI Black", "dark", "000000", "FFFFFF", "1A1A1A", "1BA1E2", 0, 0),
    ("Metropolis UI Blue", "dark", "1E4E79", "FFFFFF", "2A6297", "7FC4FF", 0, 0),
    ("Metropolis UI Dark", "dark", "1E1E1E", "F1F1F1", "2D2D30", "007ACC", 0, 0),
    ("Metropolis UI Green", "dark", "1F4A2C", "FFFFFF", "2B6140", "8CE0A8", 0, 0),
    ("Obsidian", "dark", "1A1B1F", "D8DAE0", "2A2C33", "8A7FD6", 2, 1),
    ("Onyx Blue", "dark", "181C22", "DCE3EC", "252B34", "3D8BFD", 2, 1),
    ("Ruby Graphite", "dark", "2B2A2D", "EDE6E8", "3C393D", "C8324A", 2, 1),
    ("Sapphire Kamri", "dark", "1F2A3C", "E7EEF8", "2B3A54", "5C9CF0", 3, 2),
    ("Silver", "light", "E4E6EA", "1B1E23", "D0D4DA", "5A6A7E", 2, 1),
    ("Sky", "light", "E8F3FC", "0C2A44", "CFE5F8", "2A8AD6", 3, 2),
    ("Slate Classico", "light", "E3E7EA", "1E2A33", "CCD4DA", "47606F", 3, 1),
    ("Smokey Quartz Kamri", "dark", "3A3633", "EFEAE5", "4A4541", "C9A27E", 3, 2),
    ("Tablet Light", "light", "FFFFFF", "202020", "F2F2F2", "0067C0", 4, 2),
    ("TabletDark", "dark", "1F1F1F", "FFFFFF", "2D2D2D", "4CC2FF", 4, 2),
    ("Turquoise Gray", "light", "DDE3E4", "172224", "C6D0D2", "1F9A9A", 2, 1),
    ("Windows10", "light", "F0F0F0", "000000", "E1E1E1", "0078D7", 0, 0),
    ("Windows10 Blue", "light", "E6EEF7", "0B1F33", "D4E3F3", "1E64C8", 0, 0),
    ("Windows10 Dark", "dark", "202020", "F0F0F0", "333333", "3A96DD", 0, 0),
    ("Windows10 Green", "light", "E9F3EA", "0F2A12", "D3E8D5", "2E7D32", 0, 0),
    ("Windows10 Purple", "light", "F0EAF5", "2A1436", "E0D3EB", "6B3FA0", 0, 0),
    ("Windows10 SlateGray", "light", "E8ECEF", "1C262E", "D3DAE0", "4A6478", 0, 0),
]

BLACK, WHITE = (0, 0, 0), (255, 255, 255)


def rgb(h):
    return tuple(int(h[i:i + 2], 16) for i in (0, 2, 4))


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def lum(c):
    def lin(v):
        v /= 255
        return v / 12.92 if v <= 0.03928 else ((v + 0.055) / 1.055) ** 2.4
    r, g, b = (lin(v) for v in c)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((lum(a), lum(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def readable(text, back, fallback=None):
    """text when it reads well on back, else fallback (when it does), else black or white."""
    if contrast(text, back) >= 4.5:
        return text
    if fallback and contrast(fallback, back) >= 4.5:
        return fallback
    return BLACK if contrast(BLACK, back) >= contrast(WHITE, back) else WHITE


def look(family, window, text, face, accent):
    dark = family == "dark"
    window, text, face, accent = rgb(window), rgb(text), rgb(face), rgb(accent)
    field = mix(face, BLACK, 0.25) if dark else mix(window, WHITE, 0.85)  # edits, lists, boxes
    hot = mix(face, accent, 0.22 if dark else 0.18)
    pressed = mix(face, accent, 0.40 if dark else 0.32)
    disabled = mix(face, window, 0.5)
    # The accent darkened (light looks) or lightened (dark looks) until it reads as text.
    strong = accent
    for _ in range(20):
        if contrast(strong, window) >= 4.5 and contrast(strong, face) >= 4.5:
            break
        strong = mix(strong, WHITE if dark else BLACK, 0.15)
    caption = mix(window, BLACK, 0.25) if dark else accent
    c = {
        "window": window, "window.text": readable(text, window),
        "button.face": face, "button.text": readable(text, face),
        "button.hot.face": hot, "button.hot.text": readable(text, hot),
        "button.pressed.face": pressed, "button.pressed.text": readable(text, pressed),
        "button.disabled.face": disabled, "button.disabled.text": mix(text, disabled, 0.55),
        "button.border": mix(face, text, 0.35), "focus": strong,
        "playing.marker": readable(strong, face, text),
        "check.face": field, "check.mark": readable(strong, field, text), "check.border": mix(field, text, 0.45),
        "group.frame": mix(window, text, 0.3), "group.caption": readable(strong, window, text),
        "combo.face": face, "combo.text": readable(text, face),
        "combo.list": field, "combo.list.text": readable(text, field),
        "selection": accent, "selection.text": readable(WHITE, accent),
        "edit.face": field, "edit.text": readable(text, field),
        "track.channel": mix(window, text, 0.25), "track.thumb": accent,
        "status.face": mix(window, text, 0.06), "status.text": readable(text, mix(window, text, 0.06)),
        "separator": mix(window, text, 0.25),
        "caption": caption, "caption.text": readable(WHITE if not dark else text, caption),
    }
    return c


def write(name, family, window, text, face, accent, radius, check_radius, folder):
    colours = look(family, window, text, face, accent)
    lines = ["kvstyle 1", f"# {family} look", f"name = {name}"]
    lines += [f"{k} = #{v[0]:02X}{v[1]:02X}{v[2]:02X}" for k, v in colours.items()]
    lines += [f"button.radius = {radius}", "border.width = 1", "focus.width = 1", f"check.radius = {check_radius}"]
    file = name.lower().replace(" ", "-") + ".kvstyle"
    with open(os.path.join(folder, file), "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    for entry in LOOKS:
        write(*entry, folder="res/styles")
