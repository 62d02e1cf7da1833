// Registry keys and values laid down and read back in the prefix's real
// registry. Each helper checks its own result and reports a failure at the
// line of the test that called it, so a bench that could not be laid down is
// never mistaken for the code under test.
#ifndef DRIVEWRIGHT_TESTS_REGISTRY_VALUES_H
#define DRIVEWRIGHT_TESTS_REGISTRY_VALUES_H

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

// A registry call's result; a failure is reported at the caller's line.
inline bool RegistryCheck(LONG rc, const char *what, const char *subKey, const char *name,
                          const char *file, int line)
{
    if (rc == ERROR_SUCCESS)
        return true;
    ADD_FAILURE_AT(file, line) << what << " " << subKey << (name ? " " : "") << (name ? name : "")
                               << " failed with error " << rc;
    return false;
}

// The key, made where it is missing and open for all access; NULL on failure.
inline HKEY OpenMadeKey(HKEY root, const char *subKey, const char *file, int line)
{
    HKEY key;
    LONG rc = RegCreateKeyExA(root, subKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL);
    return RegistryCheck(rc, "making", subKey, NULL, file, line) ? key : NULL;
}

inline bool MakeKey(HKEY root, const char *subKey, const char *file = __builtin_FILE(),
                    int line = __builtin_LINE())
{
    HKEY key = OpenMadeKey(root, subKey, file, line);
    return key && RegCloseKey(key) == ERROR_SUCCESS;
}

// A REG_SZ value of exactly these bytes (a terminator only where they hold
// one), its key made where it is missing.
inline bool SetBytes(HKEY root, const char *subKey, const char *name, const std::string &bytes,
                     const char *file = __builtin_FILE(), int line = __builtin_LINE())
{
    HKEY key = OpenMadeKey(root, subKey, file, line);
    if (!key)
        return false;
    LONG rc = RegSetValueExA(key, name, 0, REG_SZ, (const BYTE *)bytes.data(), (DWORD)bytes.size());
    RegCloseKey(key);
    return RegistryCheck(rc, "setting", subKey, name, file, line);
}

// A REG_SZ value holding the text and its terminator.
inline bool SetText(HKEY root, const char *subKey, const char *name, const std::string &text,
                    const char *file = __builtin_FILE(), int line = __builtin_LINE())
{
    return SetBytes(root, subKey, name, text + '\0', file, line);
}

// The value is gone afterwards; it may have been missing, its key may not.
inline bool DeleteValue(HKEY root, const char *subKey, const char *name,
                        const char *file = __builtin_FILE(), int line = __builtin_LINE())
{
    HKEY key;
    LONG rc = RegOpenKeyExA(root, subKey, 0, KEY_ALL_ACCESS, &key);
    if (rc == ERROR_SUCCESS) {
        rc = RegDeleteValueA(key, name);
        RegCloseKey(key);
        if (rc == ERROR_FILE_NOT_FOUND)
            rc = ERROR_SUCCESS;
    }
    return RegistryCheck(rc, "deleting", subKey, name, file, line);
}

// The key (without subkeys) is gone afterwards, whether or not it was there.
inline bool DeleteKey(HKEY root, const char *subKey, const char *file = __builtin_FILE(),
                      int line = __builtin_LINE())
{
    LONG rc = RegDeleteKeyA(root, subKey);
    HKEY key;
    if (RegOpenKeyExA(root, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return true;
    RegCloseKey(key);
    ADD_FAILURE_AT(file, line) << "deleting " << subKey << " left it in place (error " << rc << ")";
    return false;
}

// A value's bytes as stored, or "<no key>" or "<no value>".
inline std::string ReadValue(HKEY root, const char *subKey, const char *name,
                             const char *file = __builtin_FILE(), int line = __builtin_LINE())
{
    HKEY key;
    if (RegOpenKeyExA(root, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<no key>";
    char data[512];
    DWORD size = sizeof data;
    LONG rc = RegQueryValueExA(key, name, NULL, NULL, (BYTE *)data, &size);
    RegCloseKey(key);
    if (rc == ERROR_FILE_NOT_FOUND)
        return "<no value>";
    return RegistryCheck(rc, "reading", subKey, name, file, line) ? std::string(data, size)
                                                                          : "<unreadable>";
}

#endif
