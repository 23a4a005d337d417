#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "pulldown/command_line.h"
#include "pulldown/pulldown_run.h"
#include "pulldown_stream.h"

namespace morvane::pulldown {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class Lines : public Console {
public:
    void line(const std::string& text) override { text_ += text + "\n"; }
    void progress(int) override {}
    [[nodiscard]] bool interactive() const override { return false; }
    std::string text_;
};

class PulldownRun : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "pulldown-XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data());
        stream_ = testing::StreamBuilder().sequence().group().picture(0).picture(2).picture(1).end().bytes;
        write(in(), stream_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    [[nodiscard]] std::string in() const { return (folder_ / "in put.m2v").string(); }
    [[nodiscard]] std::string out() const { return (folder_ / "out.m2v").string(); }
    static void write(const std::string& path, const Bytes& bytes) {
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
    }
    static Bytes read(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }
    [[nodiscard]] std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), {}));
    }
    ExitStatus run(const std::string& input, const std::string& output, std::optional<std::size_t> piece = {}) {
        return runPulldown(*files_, {input, output, {}}, console_, piece);
    }

    fs::path folder_;
    Bytes stream_;
    std::unique_ptr<StreamFiles> files_ = systemStreamFiles();
    Lines console_;
};

TEST_F(PulldownRun, ReplacesTheOutputOnlyWhenComplete) {
    const Bytes earlier = {'k', 'e', 'e', 'p'};
    // Small pieces split the headers at every byte, before and after the changed ones.
    std::vector<std::optional<std::size_t>> pieces = {std::nullopt};
    for (std::size_t piece = 1; piece <= 24; ++piece) pieces.emplace_back(piece);
    Bytes whole;
    for (auto piece : pieces) {
        write(out(), earlier);
        ASSERT_EQ(run(in(), out(), piece), ExitStatus::done) << console_.text_;
        Bytes turned = read(out());
        if (whole.empty()) whole = turned;
        EXPECT_EQ(turned, whole) << "in pieces of " << piece.value_or(0);
        EXPECT_EQ(turned.size(), stream_.size());
        EXPECT_EQ(turned[7] & 0x0F, 4);
        EXPECT_EQ(entries(), 2u) << "no temporary file left";
        EXPECT_EQ(fs::status(out()).permissions(), fs::status(in()).permissions()) << "a new file's usual rights";
    }
    EXPECT_NE(console_.text_.find("3 pictures, 1 GOPs, last time code 00:00:00:00"), std::string::npos)
        << console_.text_;
    EXPECT_EQ(console_.text_.find("warning"), std::string::npos) << "a whole stream";
    // Round the ring of pieces more than once.
    Bytes padded = stream_;
    padded.resize((3 << 20) + 1);
    write(in(), padded);
    Bytes expected = read(out());
    expected.resize(padded.size());
    console_.text_.clear();
    EXPECT_EQ(run(in(), out()), ExitStatus::done) << console_.text_;
    EXPECT_EQ(read(out()), expected);
    EXPECT_EQ(console_.text_.find(" 0.0 MB/s"), std::string::npos) << console_.text_;

    write(in(), testing::StreamBuilder().sequence(3).group().picture(0).bytes);
    write(out(), earlier);
    EXPECT_EQ(run(in(), out()), ExitStatus::failed);
    EXPECT_EQ(read(out()), earlier) << "a refused run leaves the output as it was";
    EXPECT_EQ(entries(), 2u);
    EXPECT_NE(console_.text_.find("\"" + in() + "\" is an MPEG-2 video stream at 25 pictures a second"),
              std::string::npos)
        << console_.text_;
}

TEST_F(PulldownRun, RefusesFilesItCannotUse) {
    fs::create_hard_link(in(), folder_ / "link.m2v");
    const struct {
        std::string input, output, said;
    } cases[] = {
        {in(), (folder_ / "." / "in put.m2v").string(), "is also the output"},
        {in(), (folder_ / "link.m2v").string(), "is also the output"},
        {(folder_ / "missing.m2v").string(), out(), "cannot be read"},
        {in(), (folder_ / "no folder" / "out.m2v").string(), "cannot be written"},
    };
    for (const auto& c : cases) {
        console_.text_.clear();
        EXPECT_EQ(run(c.input, c.output), ExitStatus::failed) << c.output;
        EXPECT_NE(console_.text_.find(c.said), std::string::npos) << console_.text_;
        EXPECT_EQ(read(in()), stream_);
    }
    EXPECT_EQ(entries(), 2u);
}

TEST_F(PulldownRun, FullDiskLeavesNoOutput) {
    Bytes big = stream_;
    big.resize(1 << 20);
    write(in(), big);
    pid_t child = ::fork();
    if (child == 0) {
        // A file size limit stands in for the full disk: writes fail past it.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{64 << 10, 64 << 10};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        bool said = run(in(), out()) == ExitStatus::failed && console_.text_.find("the disk is full") != std::string::npos;
        ::_exit(said ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "failed, saying the disk is full";
    EXPECT_EQ(entries(), 1u) << "neither output nor temporary file";
}

TEST(PulldownRunFailure, AnyOtherFailureNamesTheInputAndWhatWentWrong) {
    struct Broken : StreamFiles {
        [[nodiscard]] std::size_t pieceBytes() const override { return 1; }
        std::unique_ptr<InputFile> openInput(const std::string&) override {
            throw std::runtime_error("out of threads");
        }
        std::optional<FileIdentity> identity(const std::string&) override { return {}; }
        std::unique_ptr<TemporaryOutput> createOutput(const std::string&) override { return {}; }
    } files;
    Lines console;
    EXPECT_EQ(runPulldown(files, {"a.m2v", "b.m2v", {}}, console), ExitStatus::failed);
    EXPECT_EQ(console.text_, "morvane-pulldown: \"a.m2v\": out of threads\n");
}

TEST(PulldownCommandLine, ReadsMorvanesTwoCommandLines) {
    using Args = std::vector<std::string>;
    const struct {
        Args arguments;
        Action action;
        ProgressiveFrames frames;
        DropFrame drop;
    } cases[] = {
        {{"a b.m2v", "c.m2v", "-drop_frame", "false"}, Action::run, ProgressiveFrames::asCoded, DropFrame::no},
        {{"a.m2v", "c.m2v", "-prog_frames", "p", "-drop_frame", "true"}, Action::run, ProgressiveFrames::all,
         DropFrame::yes},
        {{"a.m2v", "c.m2v"}, Action::run, ProgressiveFrames::asCoded, DropFrame::no},
        {{"a.m2v"}, Action::usage, {}, {}},
        {{"a.m2v", "c.m2v", "-drop_frame"}, Action::usage, {}, {}},
        {{"a.m2v", "c.m2v", "-fast"}, Action::usage, {}, {}},
        {{"a.m2v", "c.m2v", "x.m2v"}, Action::usage, {}, {}},
        {{"--help"}, Action::help, {}, {}},
        {{"-h"}, Action::help, {}, {}},
        {{"--version"}, Action::version, {}, {}},
    };
    for (const auto& c : cases) {
        CommandLine line = parseCommandLine(c.arguments);
        EXPECT_EQ(line.action, c.action) << c.arguments[0];
        if (c.action != Action::run) continue;
        EXPECT_EQ(line.request.options.progressiveFrames, c.frames);
        EXPECT_EQ(line.request.options.dropFrame, c.drop);
        EXPECT_EQ(line.request.input, c.arguments[0]);
    }
}

}  // namespace
}  // namespace morvane::pulldown
