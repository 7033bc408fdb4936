#include "splitjoin/PelmitApp.h"

#include "dialogkit/VoiceEvents.h"

namespace splitjoin {

CPelmitApp theApp;

bool SortDescending = false;

const char kSegmentSection[] = "Segment";
const char kJoinSection[] = "Join";

bool CPelmitApp::InitInstance() {
    SetRegistryKey("Tamsel");
    return CWinApp::InitInstance();
}

void CPelmitApp::ShowVoiceHelp(HWND owner, DWORD context) { dialogkit::ShowVoiceHelp(owner, context); }

}  // namespace splitjoin
