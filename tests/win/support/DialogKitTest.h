// Shared setup of the tests of the tool libraries' dialogs: the dialog
// services replaced by recorders, and the voice product's INI with one
// artist whose sounds are recorded instead of played.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "framework/win32/CallGuarded.h"
#include "tests/win/support/TestSupport.h"

// Texts kept as code page 932 bytes, each against the same text as the
// compiler writes it in UTF-16 from the test's UTF-8 source.
void ExpectCp932Texts(std::initializer_list<std::pair<const char*, const wchar_t*>> texts);

class DialogKitTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The voice events played since SetUp, from the recorded wave names.
    std::vector<int> events;
    std::vector<unsigned> soundFlags;
    std::vector<std::string> helpCalls;
    std::vector<std::string> errors;
    TempDir dir;
    std::string voiceFolder;

private:
    ReportSink previousSink_;
};
