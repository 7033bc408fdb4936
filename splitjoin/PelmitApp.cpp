#include "PelmitApp.h"

#include "VoiceEvents.h"

CPelmitApp theApp;

std::string FirstDroppedItem;
bool SortDescending = false;
dialogkit::StopEvent JoinStopEvent;
dialogkit::StopEvent SplitStopEvent;
std::string PieceBaseName;
int SelectedSizeKB = 1440;

const char kSegmentSection[] = "Segment";
const char kJoinSection[] = "Join";

bool CPelmitApp::InitInstance() {
    SetRegistryKey("Tamsel");
    return CWinApp::InitInstance();
}

void CPelmitApp::ShowVoiceHelp(HWND owner, DWORD context) { dialogkit::ShowVoiceHelp(owner, context); }
