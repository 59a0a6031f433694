// The programs run as a user runs them, with outputs that fail: each must
// end with status 1 and one line naming the cause, and destroy nothing that
// its output path named.

#include "TestFiles.h"

#include <algorithm>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace curvix {
namespace {

using test::Bytes;
using test::ReadBytes;
using test::TempFolder;

enum class Target {
    fullLink,       // "OUT" is a symbolic link to /dev/full
    regularLink,    // "OUT" is a symbolic link to OLD
    fifo,           // "OUT" is a FIFO the test reads
    fileLimit,      // a file size limit below the output, SIGXFSZ ignored
    readOnlyFolder, // the folder of OLD cannot be written by the user
    closedPipe,     // standard output is a pipe nobody reads, SIGPIPE ignored
    fullStdout,     // standard output is /dev/full
};

struct OutputCase {
    const char* name;
    const char* program;
    std::vector<std::string> args; // OUT, OLD and DOC stand for paths
    Target target;
    int status;
    const char* cause; // in the one line on standard error; null: no line
};

void PrintTo(const OutputCase& c, std::ostream* os) {
    *os << c.name;
}

const Bytes kOld = {'o', 'l', 'd'};
const Bytes kDocument = {1, 0, 0,    0,    'x', 0, 0,    0,    0x20, 0xc1, 0,    0,   0x20, 0x41,
                         0, 0, 0,    0,    0,   0, 0,    0,    0,    0,    0,    0,   0,    0,
                         0, 0, 0x20, 0x41, 0,   0, 0x20, 0x41, 0xcd, 0xcc, 0xcc, 0x3d};

// Starts the program with the case's standard output, limits and user and
// waits for it; its standard error and what the test read from fifo.
int RunProgram(const OutputCase& c, const std::vector<std::string>& args, int fifo,
               std::string& errors, std::string& read) {
    int pipeEnds[2] = {-1, -1};
    std::FILE* inputFile = std::tmpfile();
    std::fputs("0 10000 1 x\n", inputFile); // for curvix-eval --sample: 10001 lines
    std::rewind(inputFile);
    const int input = ::fileno(inputFile);
    std::FILE* errorFile = std::tmpfile();
    std::FILE* outputFile = std::tmpfile();
    int output = STDOUT_FILENO;
    if (c.target == Target::fileLimit) {
        output = ::fileno(outputFile);
    } else if (c.target == Target::fullStdout) {
        output = ::open("/dev/full", O_WRONLY);
    } else if (c.target == Target::closedPipe && ::pipe(pipeEnds) == 0) {
        ::close(pipeEnds[0]);
        output = pipeEnds[1];
    }
    const pid_t child = ::fork();
    if (child == 0) {
        if (c.target == Target::fileLimit) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{1024, 1024};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (c.target == Target::readOnlyFolder && ::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(127);
        }
        std::signal(SIGPIPE, c.target == Target::closedPipe ? SIG_IGN : SIG_DFL);
        ::unsetenv("DISPLAY");
        ::unsetenv("WAYLAND_DISPLAY");
        ::unsetenv("QT_QPA_PLATFORM");
        ::dup2(input, STDIN_FILENO);
        ::dup2(output, STDOUT_FILENO);
        ::dup2(::fileno(errorFile), STDERR_FILENO);
        std::vector<char*> argv{const_cast<char*>(c.program)};
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        ::execv(c.program, argv.data());
        ::_exit(127);
    }
    int status = 0;
    char block[65536];
    while (::waitpid(child, &status, fifo >= 0 ? WNOHANG : 0) == 0) {
        const ssize_t n = ::read(fifo, block, sizeof block);
        read.append(block, n > 0 ? std::size_t(n) : 0);
        if (n <= 0) {
            ::usleep(2000);
        }
    }
    for (ssize_t n; fifo >= 0 && (n = ::read(fifo, block, sizeof block)) > 0;) {
        read.append(block, std::size_t(n));
    }
    std::rewind(errorFile);
    for (int ch; (ch = std::fgetc(errorFile)) != EOF;) {
        errors += char(ch);
    }
    for (std::FILE* file : {errorFile, outputFile, inputFile}) {
        std::fclose(file);
    }
    for (const int fd :
         {c.target == Target::closedPipe || c.target == Target::fullStdout ? output : -1, fifo}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool IsPng(const std::string& bytes) {
    return bytes.rfind("\x89PNG\r\n\x1a\n", 0) == 0;
}

class OutputFailure : public ::testing::TestWithParam<OutputCase> {};

TEST_P(OutputFailure, EndsWithTheCauseAndKeepsWhatWasThere) {
    const OutputCase& c = GetParam();
    TempFolder folder;
    const std::string out = folder.File("out");
    const std::string old = folder.File("old");
    test::WriteBytes(old, kOld);
    test::WriteBytes(folder.File("doc.cvx"), kDocument);
    int fifo = -1;
    if (c.target == Target::fullLink || c.target == Target::regularLink) {
        ASSERT_EQ(::symlink(c.target == Target::fullLink ? "/dev/full" : "old", out.c_str()), 0);
    } else if (c.target == Target::fifo) {
        ASSERT_EQ(::mkfifo(out.c_str(), 0600), 0);
        fifo = ::open(out.c_str(), O_RDONLY | O_NONBLOCK);
    } else if (c.target == Target::readOnlyFolder) {
        ASSERT_EQ(::chmod(folder.Path().c_str(), ::geteuid() == 0 ? 0755 : 0555), 0);
    }
    std::vector<std::string> args = c.args;
    for (std::string& arg : args) {
        arg = arg == "OUT" ? out : arg == "OLD" ? old : arg == "DOC" ? folder.File("doc.cvx") : arg;
    }
    auto entries = folder.Entries();
    std::string errors;
    std::string read;
    const int status = RunProgram(c, args, fifo, errors, read);
    if (c.target == Target::readOnlyFolder && status == 127) {
        GTEST_SKIP() << "the program cannot be run as nobody";
    }
    EXPECT_EQ(status, c.status) << errors;
    if (c.cause == nullptr) {
        EXPECT_EQ(errors, "");
    } else {
        const std::string name = std::strrchr(c.program, '/') + 1;
        EXPECT_EQ(errors.rfind(name + ": ", 0), 0U) << errors;
        EXPECT_NE(errors.find(c.cause), std::string::npos) << errors;
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    }
    auto after = folder.Entries();
    std::sort(entries.begin(), entries.end());
    std::sort(after.begin(), after.end());
    EXPECT_EQ(after, entries); // nothing removed, no temporary file left
    const Bytes kept = ReadBytes(old);
    EXPECT_TRUE(c.target == Target::regularLink ? IsPng({kept.begin(), kept.end()}) : kept == kOld);
    char link[64] = {};
    if (c.target == Target::fullLink || c.target == Target::regularLink) {
        EXPECT_GT(::readlink(out.c_str(), link, sizeof link - 1), 0);
        EXPECT_STREQ(link, c.target == Target::fullLink ? "/dev/full" : "old");
    }
    struct stat device {};
    EXPECT_TRUE(::stat("/dev/full", &device) == 0 && S_ISCHR(device.st_mode));
    EXPECT_TRUE(::lstat("/dev/stdout", &device) == 0 && S_ISLNK(device.st_mode));
    if (c.target == Target::fifo) {
        EXPECT_TRUE(IsPng(read));
    }
}

constexpr const char* kRender = CURVIX_RENDER;
constexpr const char* kEval = CURVIX_EVAL;
const std::vector<std::string> kPlot = {"--formula", "sin(x)*5", "--size", "400x400", "-o"};

std::vector<std::string> Plot(const char* path) {
    auto args = kPlot;
    args.emplace_back(path);
    return args;
}

std::vector<OutputCase> Cases() {
    const char* noSpace = "No space left on device";
    const char* evalNoSpace = "cannot write output: No space left on device";
    const char* evalPipe = "cannot write output: Broken pipe";
    const char* evalTooLarge = "cannot write output: File too large";
    std::vector<OutputCase> cases = {
        {"RenderFullDeviceLink", kRender, Plot("OUT"), Target::fullLink, 1, noSpace},
        {"RenderLinkToAFile", kRender, Plot("OUT"), Target::regularLink, 0, nullptr},
        {"RenderFifo", kRender, Plot("OUT"), Target::fifo, 0, nullptr},
        {"RenderFileLimit", kRender, Plot("OLD"), Target::fileLimit, 1, "File too large"},
        {"RenderReadOnlyFolder", kRender, Plot("OLD"), Target::readOnlyFolder, 1,
         "Permission denied"},
        {"RenderClosedPipe", kRender, Plot("-"), Target::closedPipe, 1, "Broken pipe"},
        {"RenderFullStdout", kRender, Plot("-"), Target::fullStdout, 1, noSpace},
        {"RenderFullDevStdout", kRender, Plot("/dev/stdout"), Target::fullStdout, 1, noSpace},
        {"EvalFullStdout", kEval, {"--", "1+1"}, Target::fullStdout, 1, evalNoSpace},
        {"EvalOpenFullStdout", kEval, {"--open", "DOC"}, Target::fullStdout, 1, evalNoSpace},
        {"EvalClosedPipe", kEval, {"--", "1"}, Target::closedPipe, 1, evalPipe},
        {"EvalSampleFileLimit", kEval, {"--sample"}, Target::fileLimit, 1, evalTooLarge}};
#ifdef CURVIX_PROGRAM
    cases.push_back(
        {"CurvixWithoutDisplay", CURVIX_PROGRAM, {}, Target::fullStdout, 1, "a display is needed"});
#endif
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Tools, OutputFailure, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace curvix
