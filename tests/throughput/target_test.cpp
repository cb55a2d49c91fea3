#include <gtest/gtest.h>

#include "throughput/throughput_target.h"

namespace {

TEST(ThroughputTarget, ServersAndFolders) {
    struct Case {
        const char* typed;
        bool server;
    } cases[] = {
        {"192.168.1.20", true},
        {"testbox", true},
        {"testbox:5000", true},
        {"F:\\Public Files", false},
        {"\\\\server\\Public Files", false},
        {"C:", false},
        {"C:\\My.Folder", false},
        {"C:\\Users\\john.smith\\Temp", false},
        {"D:\\Backup\\2024.01", false},
        {"\\\\nas.example.com\\share", false},
        {"..\\Temp", false},
        {".", false},
        {"nas.example.com", true},
        {"http://10.0.0.5:5000", true},
        {"/tmp/x", false},
        {"a:b:c", false},
    };
    for (const Case& c : cases) EXPECT_EQ(ClassifyTarget(c.typed).serverMode, c.server) << c.typed;
    // A name with a dot is a folder when such a folder exists.
    auto exists = [](const std::string& path) { return path == "backup.2024"; };
    EXPECT_FALSE(ClassifyTarget("backup.2024", exists).serverMode);
    EXPECT_TRUE(ClassifyTarget("backup.2025", exists).serverMode);
}

TEST(ThroughputTarget, HostAndPort) {
    struct Case {
        const char* typed;
        const char* host;
        int port;
        bool valid;
    } cases[] = {
        {"10.0.0.5", "10.0.0.5", 4456, true},
        {"10.0.0.5:9000", "10.0.0.5", 9000, true},
        {"http://10.0.0.5:9000/", "10.0.0.5", 9000, true},
        {"http://10.0.0.5:5000", "10.0.0.5", 5000, true},
        {"testbox:65535", "testbox", 65535, true},
        {"testbox:65536", "testbox", 0, false},
        {"testbox:0", "testbox", 0, false},
        {"testbox:", "testbox", 0, false},
        {"testbox:x", "testbox", 0, false},
        {"testbox:99999999999999999999", "testbox", 0, false},
    };
    for (const Case& c : cases) {
        ThroughputTarget t = ClassifyTarget(c.typed);
        EXPECT_TRUE(t.serverMode) << c.typed;
        EXPECT_EQ(t.host, c.host) << c.typed;
        EXPECT_EQ(t.portValid, c.valid) << c.typed;
        if (c.valid) EXPECT_EQ(t.port, c.port) << c.typed;
    }
}

TEST(ThroughputTarget, TestFileInTheFolder) {
    struct Case {
        const char* folder;
        const char* file;
    } cases[] = {
        {"\\\\server\\share\\", "\\\\server\\share\\NW_Quorvel.dat"},
        {"F:\\Public Files", "F:\\Public Files\\NW_Quorvel.dat"},
        {"C:\\\\\\", "C:\\NW_Quorvel.dat"},
        {"C:", "C:\\NW_Quorvel.dat"},
    };
    for (const Case& c : cases) {
        ThroughputTarget t = ClassifyTarget(c.folder);
        EXPECT_FALSE(t.serverMode) << c.folder;
        EXPECT_EQ(t.testFile, c.file) << c.folder;
    }
}

}  // namespace
