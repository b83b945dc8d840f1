#include "remote/WMSAPI_unit.h"

namespace kv::remote {

WindowHandle FindWMSAPIWindow(IWindowMessages& messages) { return messages.findWindow(kWMSAPIWindowClass); }

}  // namespace kv::remote
