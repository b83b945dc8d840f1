#pragma once
// Where the keys of a drop-down list move its selection, and which of its rows a list
// window of a few rows shows. Shared by every backend that draws such a list itself.
#include <string>
#include <vector>

namespace kv::ui {

enum class ListKey { Up, Down, PageUp, PageDown, Home, End };

// The entry a key moves to from current (-1: nothing selected) in a list of count entries,
// pageRows of which are shown at once. -1 only for an empty list.
int listTarget(int current, int count, ListKey key, int pageRows);

// Turns a character into the form in which two characters compare equal ignoring case.
using CharFold = wchar_t (*)(wchar_t);

// The next entry after current, going round, whose text starts with ch; -1 if none does.
int listEntryStartingWith(const std::vector<std::wstring>& items, int current, wchar_t ch, CharFold fold);

// The first row to show so that index lies within the rows shown, moving from top as
// little as possible and never leaving rows empty that entries could fill.
int listTopShowing(int index, int top, int rows, int count);

}  // namespace kv::ui
