#pragma once
// Registration of the program's own window classes.
#include <windows.h>

namespace kv::ui::win32 {

// Registers the class that wc describes (cbSize is filled in, the cursor defaults to the
// arrow) unless its module has a class of that name already: windows of one class are
// created again and again, by the program and by its tests.
void registerWindowClassOnce(WNDCLASSEXW wc);

}  // namespace kv::ui::win32
