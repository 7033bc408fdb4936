#include "archive/CompressApp.h"

#include "dialogkit/VoiceEvents.h"

CCompressApp theApp;

const char kPackSection[] = "Pack";
const char kLzhSection[] = "Lzh";
const char kTarSection[] = "Tar";
const char kZipSection[] = "Zip";
const char kSendSection[] = "Send";
const char kLzhMailSection[] = "Lzh1";
const char kTarMailSection[] = "Tar1";
const char kZipMailSection[] = "Zip1";
const char kUnpackSection[] = "UnPack";

bool CCompressApp::InitInstance() {
    SetRegistryKey("Tamsel");
    return CWinApp::InitInstance();
}

void CCompressApp::ShowVoiceHelp(HWND owner, DWORD context) { dialogkit::ShowVoiceHelp(owner, context); }
