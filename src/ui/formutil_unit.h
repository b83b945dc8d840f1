#pragma once
// Saves a form's window state, monitor, position and size into its "FORM_" section of KV.ini
// and restores them at start, keeping the window inside a monitor's work area.
#include <string>
#include <vector>

#include "library/ProfileFile.h"
#include "ui/controls/Control.h"

namespace kv::ui {

// One monitor as the platform lists it: its work area (without task bars and docked tool
// bars) in virtual-screen pixels.
struct MonitorArea {
    Rect workArea;
};

// The platform's list of monitors, in its own order (index 0 need not be the primary one).
class IMonitors {
public:
    virtual ~IMonitors() = default;
    virtual std::vector<MonitorArea> list() const = 0;
    virtual int primaryIndex() const = 0;
};

enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

// What placement needs of a form's window.
class IPlacedForm {
public:
    virtual ~IPlacedForm() = default;
    virtual std::wstring componentName() const = 0;
    virtual WindowState windowState() const = 0;
    virtual void setWindowState(WindowState state) = 0;
    // The outer frame in virtual-screen pixels. While the window is minimised or maximised
    // this is its normal position, where it comes back to when restored.
    virtual Rect bounds() const = 0;
    virtual void setBounds(const Rect& bounds) = 0;
    virtual int monitorIndex() const = 0;  // the monitor the window is on, in the platform's list
    virtual int monitorPpi() const = 0;    // that monitor's pixels per inch
    virtual bool scaled() const = 0;       // the form's scaling switch
    virtual int referencePpi() const = 0;  // design PPI while scaled, else the system PPI
};

std::wstring FormSectionName(const IPlacedForm& form);

void RestoreFormPlacement(const IProfileFile& profile, const IMonitors& monitors, const std::wstring& file,
                          IPlacedForm& form, int defaultWidth, int defaultHeight, bool keepSize);
// The form's section with every key of its placement, for a save that writes it along with
// other sections.
SectionWrite FormPlacementWrite(const IPlacedForm& form);
// Writes the form's section as one change of the file; false when it failed, and then no
// key of it was written.
bool SaveFormPlacement(IProfileFile& profile, const std::wstring& file, const IPlacedForm& form);
void KeepFormInWorkArea(const IMonitors& monitors, IPlacedForm& form, int monitorIndex);

}  // namespace kv::ui
