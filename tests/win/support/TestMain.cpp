#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include "framework/forms/Application.h"

int main(int argc, char** argv) {
    // The program initialises COM on its GUI thread; the tests do the same.
    CoInitialize(nullptr);
    ::testing::InitGoogleTest(&argc, argv);
    // A test that forgets to catch a report must not hang on a message box.
    Application->OnException = [](TObject*, const Exception& e) {
        ADD_FAILURE() << "unexpected error report: " << e.Message();
    };
    const int rc = RUN_ALL_TESTS();
    CoUninitialize();
    return rc;
}
