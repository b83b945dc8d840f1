#pragma once
// Whether the system's high-contrast mode is on. Asked once and again whenever the
// settings or the system colours change; the question itself can be replaced, so that
// the views can be tried in both modes on a system that cannot switch.
#include <functional>
#include <utility>

namespace kv::ui::win32 {

class HighContrast {
public:
    using Query = std::function<bool()>;

    HighContrast() : query_(systemHighContrast) { refresh(); }
    bool on() const { return on_; }
    // Asks again; true when the answer changed.
    bool refresh() {
        const bool now = query_ ? query_() : false;
        const bool changed = now != on_;
        on_ = now;
        return changed;
    }
    void setQuery(Query query) {
        query_ = std::move(query);
        refresh();
    }
    // SPI_GETHIGHCONTRAST with HCF_HIGHCONTRASTON.
    static bool systemHighContrast();

private:
    Query query_;
    bool on_ = false;
};

}  // namespace kv::ui::win32
