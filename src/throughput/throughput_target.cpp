#include "throughput/throughput_target.h"

#include <algorithm>
#include <cctype>

std::string WithoutHttp(const std::string& target) {
    static const std::string kHttp = "http://";
    std::string text = target;
    for (std::size_t at = text.find(kHttp); at != std::string::npos; at = text.find(kHttp, at))
        text.erase(at, kHttp.size());
    return text;
}

// A path cannot be a server's name, whatever dots it holds ("C:\Users\john.smith",
// "\\nas.example.com\share", "..\Temp").
static bool LooksLikePath(const std::string& t) {
    bool drive = t.size() >= 3 && std::isalpha(static_cast<unsigned char>(t[0])) && t[1] == ':' &&
                 t[2] == '\\';
    return drive || t.compare(0, 2, "\\\\") == 0 || (!t.empty() && t[0] == '.');
}

bool IsServerTarget(const std::string& t, bool namesFolder) {
    if (namesFolder || LooksLikePath(t)) return false;
    if (t.find('.') != std::string::npos) return true;
    if (t.find_first_of(":\\/") == std::string::npos) return true;
    return std::count(t.begin(), t.end(), ':') == 1 && t.find(':') != 1;
}

bool ParseServerPort(const std::string& t, int& port) {
    std::size_t colon = t.find(':');
    if (colon == std::string::npos) {
        port = kDefaultServerPort;
        return true;
    }
    long value = 0;
    std::size_t at = colon + 1;
    bool digits = false;
    for (; at < t.size() && t[at] >= '0' && t[at] <= '9'; ++at) {
        digits = true;
        value = value * 10 + (t[at] - '0');
        if (value > 65535) return false;  // also keeps a long run of digits from overflowing
    }
    if (!digits || value < 1) return false;
    port = static_cast<int>(value);
    return true;
}

std::string TestFilePath(const std::string& folder) {
    std::size_t end = folder.find_last_not_of('\\');
    std::string base = end == std::string::npos ? std::string() : folder.substr(0, end + 1);
    return base + "\\" + kTestFileName;
}

ThroughputTarget ClassifyTarget(const std::string& typed,
                                const std::function<bool(const std::string&)>& isFolder) {
    ThroughputTarget target;
    target.text = WithoutHttp(typed);
    target.serverMode = IsServerTarget(target.text, isFolder && isFolder(target.text));
    if (target.serverMode) {
        target.host = target.text.substr(0, target.text.find(':'));
        target.portValid = ParseServerPort(target.text, target.port);
    } else {
        target.testFile = TestFilePath(target.text);
    }
    return target;
}
