// SPDX-License-Identifier: MIT
// The program started for real in environments where it cannot do its job well:
// no display at all, a display with no X server behind it, a platform Qt does not
// have, no Japanese font. Each must end in one clear line on stderr (and, where no
// window can be shown, a non-zero exit), never in a signal or a core dump.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char **environ; // NOLINT(readability-redundant-declaration): POSIX declares it nowhere

namespace {

namespace fs = std::filesystem;

/// How a started program ended and what it wrote.
struct Ended {
    bool exited = false; ///< ended by returning or exit(), not by a signal
    int status = -1;     ///< exit status when it exited, else the signal number
    std::string out;
    std::vector<std::string> errLines;
};

std::string readFile(const fs::path &path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> linesOf(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

/// Starts `command` (a program and its arguments) with the test's environment, minus `unset`, plus `set`; waits up
/// to 60 s (then kills it, which the caller sees as a signal).
Ended start(const std::vector<std::string> &command, const std::vector<std::string> &unset,
            const std::map<std::string, std::string> &set)
{
    std::map<std::string, std::string> variables;
    for (char **entry = environ; *entry != nullptr; ++entry) {
        const std::string text(*entry);
        const auto equals = text.find('=');
        if (equals != std::string::npos)
            variables[text.substr(0, equals)] = text.substr(equals + 1);
    }
    for (const std::string &name : unset)
        variables.erase(name);
    for (const auto &[name, value] : set)
        variables[name] = value;
    std::vector<std::string> texts;
    for (const auto &[name, value] : variables)
        texts.push_back(name + "=" + value);
    std::vector<char *> environment;
    for (std::string &text : texts)
        environment.push_back(text.data());
    environment.push_back(nullptr);

    const fs::path scratch = fs::temp_directory_path() / ("pemtos-environment-" + std::to_string(getpid()));
    fs::create_directories(scratch);
    const fs::path outPath = scratch / "stdout";
    const fs::path errPath = scratch / "stderr";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> words = command;
    std::vector<char *> arguments;
    for (std::string &word : words)
        arguments.push_back(word.data());
    arguments.push_back(nullptr);
    const std::string &program = command.front();
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, program.c_str(), &actions, nullptr, arguments.data(), environment.data());
    posix_spawn_file_actions_destroy(&actions);
    Ended run;
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << program;
        return run;
    }

    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            ADD_FAILURE() << program << " did not end within 60 s";
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    run.exited = WIFEXITED(status);
    run.status = run.exited ? WEXITSTATUS(status) : WTERMSIG(status);
    run.out = readFile(outPath);
    run.errLines = linesOf(readFile(errPath));
    fs::remove_all(scratch);
    return run;
}

std::string describe(const Ended &run)
{
    std::string text =
        run.exited ? "exit status " + std::to_string(run.status) : "killed by signal " + std::to_string(run.status);
    text += "; stderr:";
    for (const std::string &line : run.errLines)
        text += "\n  " + line;
    return text;
}

/// A display number with no X server: none has its socket in the usual place.
std::string deadDisplay()
{
    for (int number = 7311;; ++number) {
        if (!fs::exists("/tmp/.X11-unix/X" + std::to_string(number)))
            return ":" + std::to_string(number);
    }
}

const std::vector<std::string> kDisplayVariables = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM",
                                                    "XDG_SESSION_TYPE"};

class EnvironmentTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // Should a start-up still crash, it must not leave core files behind.
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
    }

    /// Runs the program where no window can be shown; it must say so in exactly one
    /// line that contains `named`, exit non-zero and not be killed by a signal.
    static void expectCleanRefusal(const std::map<std::string, std::string> &set, const std::string &named)
    {
        const Ended run = start({PEMTOS_PROGRAM}, kDisplayVariables, set);
        EXPECT_TRUE(run.exited) << describe(run);
        EXPECT_NE(run.status, 0) << describe(run);
        ASSERT_EQ(run.errLines.size(), 1U) << describe(run);
        EXPECT_NE(run.errLines.front().find(named), std::string::npos) << describe(run);
        EXPECT_EQ(run.errLines.front().rfind("pemtos", 0), 0U) << "the line says who is speaking: " << describe(run);
        EXPECT_TRUE(run.out.empty()) << run.out;
    }

    /// Runs the start-up stand-in offscreen with the fonts of `fontConfig`, silencing
    /// only the offscreen platform's own chatter.
    static Ended startOffscreen(const std::optional<std::string> &fontConfig)
    {
        return startProbe({{"QT_QPA_PLATFORM", "offscreen"}}, fontConfig);
    }

    /// Runs the start-up stand-in with `set` added to a display-less environment.
    static Ended startProbe(std::map<std::string, std::string> set, const std::optional<std::string> &fontConfig,
                            const std::vector<std::string> &wrapper = {})
    {
        const fs::path runtime = fs::temp_directory_path() / ("pemtos-runtime-" + std::to_string(getpid()));
        fs::create_directories(runtime);
        fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
        set["XDG_RUNTIME_DIR"] = runtime.string();
        set["QT_LOGGING_RULES"] = "default.warning=false";
        std::vector<std::string> unset = kDisplayVariables;
        unset.emplace_back("FONTCONFIG_FILE");
        if (fontConfig)
            set["FONTCONFIG_FILE"] = *fontConfig;
        std::vector<std::string> command = wrapper;
        command.emplace_back(PEMTOS_STARTUP_PROBE);
        Ended run = start(command, unset, set);
        fs::remove_all(runtime);
        return run;
    }
};

TEST_F(EnvironmentTest, NoDisplayAtAllIsOneLineNamingTheDisplayVariables)
{
    expectCleanRefusal({}, "DISPLAY");
}

TEST_F(EnvironmentTest, AnX11DisplayWithNoServerIsOneLineNamingThatDisplay)
{
    const std::string display = deadDisplay();
    // Asked for by name, and reached by default when only DISPLAY is set.
    expectCleanRefusal({{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", display}}, "display " + display);
    expectCleanRefusal({{"DISPLAY", display}}, "display " + display);
}

TEST_F(EnvironmentTest, APlatformQtCannotStartIsOneLineNotAnAbort)
{
    // Without the guard Qt reports the missing plugin over several lines and aborts.
    expectCleanRefusal({{"QT_QPA_PLATFORM", "pemtos-no-such-platform"}}, "pemtos-no-such-platform");
}

TEST_F(EnvironmentTest, WithoutAJapaneseFontTheWindowStillOpensAndOneLineNamesThePackage)
{
    const Ended run = startOffscreen(std::string(PEMTOS_FONTS_LATIN_ONLY));
    EXPECT_TRUE(run.exited && run.status == 0) << describe(run);
    EXPECT_EQ(run.out, "shown: visible\n");
    ASSERT_EQ(run.errLines.size(), 1U) << describe(run);
    EXPECT_NE(run.errLines.front().find("fonts-ipafont-gothic"), std::string::npos) << describe(run);
}

TEST_F(EnvironmentTest, WithAJapaneseFontNothingIsSaid)
{
    for (const std::optional<std::string> &fonts :
         {std::optional<std::string>(), std::optional<std::string>(PEMTOS_FONTS_NOTO_ONLY),
          std::optional<std::string>(PEMTOS_FONTS_IPAGOTHIC_ONLY)}) {
        SCOPED_TRACE(fonts.value_or("the system's fonts"));
        const Ended run = startOffscreen(fonts);
        EXPECT_TRUE(run.exited && run.status == 0) << describe(run);
        EXPECT_EQ(run.out, "shown: visible\n");
        EXPECT_TRUE(run.errLines.empty()) << describe(run);
    }
}

TEST_F(EnvironmentTest, WithAnX11ServerTheWindowOpensAndTheProgramEndsCleanly)
{
    // A virtual X server of its own, with no other client: the window must open on it
    // at once, and Qt's X11 platform must start and shut down without a sanitizer report.
    if (!fs::exists("/usr/bin/xvfb-run"))
        GTEST_SKIP() << "xvfb-run is not installed";
    const Ended run = startProbe({}, std::nullopt, {"/usr/bin/xvfb-run", "--auto-servernum"});
    EXPECT_TRUE(run.exited && run.status == 0) << describe(run);
    EXPECT_EQ(run.out, "shown: visible\n");
}

} // namespace
