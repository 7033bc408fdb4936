// The four exports of a self-registering server, over the factories the
// server's own units define. A server's .def names them; the linker takes
// them from here unless the server defines its own.
#include <windows.h>

#include "explorer/com/ComKit.h"

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
    return comkit::ServerGetClassObject(rclsid, riid, ppv);
}
STDAPI DllCanUnloadNow() { return comkit::ServerCanUnloadNow(); }
STDAPI DllRegisterServer() { return comkit::ServerRegister(); }
STDAPI DllUnregisterServer() { return comkit::ServerUnregister(); }
