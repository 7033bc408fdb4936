// Registry and module helpers for self-registering COM servers.
#pragma once
#include <windows.h>

#include <string>

#include "framework/core/Exceptions.h"

// Raised when a registration key cannot be created or written; the
// registration entry points turn it into a failure code.
class EOleRegistrationError : public Exception {
    using Exception::Exception;
};

// Creates root\path and writes the string value (valueName "" is the key's
// default value). Raises EOleRegistrationError with the text "Error creating
// system registry entry" when the key cannot be created or the value
// written.
void CreateRegKey(HKEY root, const std::string& path, const std::string& valueName, const std::string& value);

// The string value, or false when the key or the value is missing or not
// a string. Lengths come from the registry and are checked.
bool ReadRegString(HKEY root, const std::string& path, const std::string& valueName, std::string& value);

// Deletes root\path with everything below it; true when it is gone.
bool DeleteRegKeyTree(HKEY root, const std::string& path);

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper-case hexadecimal.
std::string GuidToString(const GUID& guid);

// True on the NT family, where the shell lets only approved extensions in.
bool IsNtPlatform();

// The full path of a module, however long.
std::string ModuleFileName(HMODULE module);

// The path a registration key should hold for a module: its short form when
// the path contains a blank, since some shells split the value at blanks.
std::string RegistrationPath(HMODULE module);

// The module that contains the calling code (this DLL when linked into one).
HMODULE ThisModule();
