#pragma once

// A recording platform whose file test and process start refuse a path with
// a NUL inside, as the native backends do: the C calls beneath them would
// stop at the NUL and act on a shorter path. Every other path names a file,
// and every other non-empty path starts, so that any path the launcher
// hands over can be seen starting.

#include <string>
#include <string_view>

#include "fakes/FakePlatform.h"

namespace zenalto::testing {

class NativeLikePlatform : public FakePlatform {
public:
    bool fileExists(std::string_view path) override {
        calls.push_back("file " + std::string(path));
        fileTests.emplace_back(path);
        if (path.find('\0') != std::string_view::npos) {
            throw PlatformError("a NUL inside the path");
        }
        return true;
    }

    void startProcess(std::string_view path) override {
        calls.push_back("start " + std::string(path));
        if (path.empty() || path.find('\0') != std::string_view::npos) {
            throw PlatformError("no program at this path");
        }
        started.emplace_back(path);
    }
};

}  // namespace zenalto::testing
