#include "DorvaneApp.h"

CDorvaneApp theApp;

bool CDorvaneApp::InitInstance() {
    SetRegistryKey("Mivora");
    return CWinApp::InitInstance();
}
