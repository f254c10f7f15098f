#include "DisplayDummyServer.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

struct Modeline {
    const char* timings;  // clock and timings as they follow the name in a Modeline entry
    double hsyncKHz;
};

// All three refresh near 60 Hz; the monitor's ranges admit these and nothing else of the
// server's built-in list, so a screen offers exactly the modes asked for.
const std::map<std::string, Modeline>& KnownModes() {
    static const std::map<std::string, Modeline> modes{
        {"1024x768", {"65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync", 48.36}},
        {"800x600", {"40.00 800 840 968 1056 600 601 605 628 +hsync +vsync", 37.88}},
        {"640x480", {"25.175 640 656 752 800 480 490 492 525 -hsync -vsync", 31.47}},
    };
    return modes;
}

std::string ConfigFor(const std::vector<std::string>& modes, std::string& problem) {
    std::ostringstream syncRanges;
    std::ostringstream modelines;
    std::ostringstream names;
    int virtualWidth = 0;
    int virtualHeight = 0;
    for (const std::string& name : modes) {
        const auto found = KnownModes().find(name);
        if (found == KnownModes().end()) {
            problem = "no modeline known for " + name;
            return {};
        }
        const Modeline& mode = found->second;
        syncRanges << (syncRanges.tellp() > 0 ? ", " : "") << mode.hsyncKHz - 0.2 << "-" << mode.hsyncKHz + 0.2;
        modelines << "  Modeline \"" << name << "\" " << mode.timings << "\n";
        names << " \"" << name << "\"";
        const int width = std::atoi(name.c_str());
        const int height = std::atoi(name.c_str() + name.find('x') + 1);
        virtualWidth = std::max(virtualWidth, width);
        virtualHeight = std::max(virtualHeight, height);
    }
    std::ostringstream config;
    config << "Section \"ServerFlags\"\n  Option \"AutoAddDevices\" \"false\"\nEndSection\n"
           << "Section \"Device\"\n  Identifier \"card\"\n  Driver \"dummy\"\n  VideoRam 65536\nEndSection\n"
           << "Section \"Monitor\"\n  Identifier \"monitor\"\n  HorizSync " << syncRanges.str()
           << "\n  VertRefresh 59-61\n" << modelines.str() << "EndSection\n"
           << "Section \"Screen\"\n  Identifier \"screen\"\n  Device \"card\"\n  Monitor \"monitor\"\n"
           << "  DefaultDepth 24\n  SubSection \"Display\"\n    Depth 24\n    Modes" << names.str()
           << "\n    Virtual " << virtualWidth << " " << virtualHeight << "\n  EndSubSection\nEndSection\n";
    return config.str();
}

// Reads the display number the server writes once it accepts clients; empty if it died first.
std::string ReadDisplayNumber(int fd, int timeoutMs) {
    std::string text;
    const std::time_t deadline = std::time(nullptr) + timeoutMs / 1000;
    while (text.find('\n') == std::string::npos) {
        pollfd poller{fd, POLLIN, 0};
        const int ready = poll(&poller, 1, 500);
        if (ready < 0 && errno != EINTR) {
            return {};
        }
        if (ready > 0) {
            char buffer[32];
            const ssize_t got = read(fd, buffer, sizeof buffer);
            if (got <= 0) {
                return {};
            }
            text.append(buffer, static_cast<std::size_t>(got));
        } else if (std::time(nullptr) > deadline) {
            return {};
        }
    }
    return text.substr(0, text.find('\n'));
}

}  // namespace

std::string DisplayDummyServer::FindXorg() {
    if (const char* chosen = std::getenv("KENO_TEST_XORG")) {  // "" pretends it is not installed
        return *chosen != '\0' && access(chosen, X_OK) == 0 ? chosen : std::string();
    }
    std::vector<std::string> places;
    if (const char* path = std::getenv("PATH")) {
        std::istringstream folders(path);
        for (std::string folder; std::getline(folders, folder, ':');) {
            places.push_back(folder + "/Xorg");
        }
    }
    places.push_back("/usr/lib/xorg/Xorg");
    for (const std::string& candidate : places) {
        if (access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return {};
}

DisplayDummyServer::DisplayDummyServer(const std::vector<std::string>& modes) {
    const std::string xorg = FindXorg();
    if (xorg.empty()) {
        problem_ = "Xorg is not installed (packages xserver-xorg-core, xserver-xorg-video-dummy)";
        return;
    }
    const std::string config = ConfigFor(modes, problem_);
    if (config.empty()) {
        return;
    }
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/keno-display-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        problem_ = "cannot create a temporary folder";
        return;
    }
    folder_ = pattern;
    configPath_ = folder_ + "/xorg.conf";
    logPath_ = folder_ + "/Xorg.log";
    std::ofstream(configPath_) << config;
    Start(xorg, config);
}

void DisplayDummyServer::Start(const std::string& xorg, const std::string& config) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        problem_ = "cannot create a pipe";
        return;
    }
    fcntl(pipeEnds[0], F_SETFD, FD_CLOEXEC);  // only the write end goes to the server
    const std::string fdText = std::to_string(pipeEnds[1]);
    std::vector<std::string> args{xorg,          "-displayfd", fdText,   "-noreset",    "-nolisten",
                                  "tcp",         "-config",    configPath_, "-logfile", logPath_,
                                  "-novtswitch", "-sharevts"};
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, xorg.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        problem_ = "cannot start " + xorg;
        return;
    }
    pid_ = pid;
    const std::string number = ReadDisplayNumber(pipeEnds[0], 30000);
    close(pipeEnds[0]);
    if (number.empty()) {
        Stop();
        problem_ = "Xorg did not come up with this configuration:\n" + config + "\nLog tail:\n" + LogTail();
        return;
    }
    displayName_ = ":" + number;
}

void DisplayDummyServer::Stop() {
    if (pid_ <= 0) {
        return;
    }
    kill(pid_, SIGTERM);
    int status = 0;
    for (int tries = 0; tries < 500; ++tries) {  // up to ten seconds, then no more patience
        if (waitpid(pid_, &status, WNOHANG) != 0) {
            pid_ = -1;
            return;
        }
        const timespec pause{0, 20'000'000};
        nanosleep(&pause, nullptr);
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, &status, 0);
    pid_ = -1;
}

DisplayDummyServer::~DisplayDummyServer() {
    Stop();
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

std::string DisplayDummyServer::LogTail() const {
    std::ifstream log(logPath_);
    std::ostringstream text;
    text << log.rdbuf();
    const std::string all = text.str();
    return all.size() > 2000 ? all.substr(all.size() - 2000) : all;
}
