// What "Folder or Server IP:" names: a folder to write the test file into, or a test
// server with its port.
#pragma once

#include <functional>
#include <string>

inline constexpr int kDefaultServerPort = 4456;
inline constexpr const char* kTestFileName = "NW_Quorvel.dat";

struct ThroughputTarget {
    bool serverMode = false;
    std::string text;  // the target with every "http://" removed
    std::string host;  // server mode: up to the first ":"
    int port = 0;      // server mode: 1..65535 when portValid
    bool portValid = false;
    std::string testFile;  // folder mode: the folder + "\NW_Quorvel.dat"
};

// Every "http://" removed.
std::string WithoutHttp(const std::string& target);

// A folder when the text starts with a drive ("C:\"), with "\\" or with "." (".."), or
// when it names an existing folder (`namesFolder`). Otherwise server mode when the text
// has a "."; or none of ":", "\" and "/"; or exactly one ":" that is not the second
// character. So "C:", "D:\Backup\2024.01" and "\\nas.example.com\share" are folders.
bool IsServerTarget(const std::string& withoutHttp, bool namesFolder = false);

// The port after the first ":", read as decimal digits from its start ("5000/" is
// 5000); 4456 without a ":". Digits beyond the port range, or none, make it invalid.
bool ParseServerPort(const std::string& withoutHttp, int& port);

// The folder with its trailing "\" removed + "\NW_Quorvel.dat".
std::string TestFilePath(const std::string& folder);

// `isFolder` tells whether a text names an existing folder; none: no such check.
ThroughputTarget ClassifyTarget(const std::string& typed,
                                const std::function<bool(const std::string&)>& isFolder = {});
