// brisvaldomatics-preview run as a user runs it: audio files made here with
// libsndfile, its pictures read back with libspng and its videos with ffmpeg
// and ffprobe.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sndfile.h>
#include <spawn.h>
#include <spng.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <numbers>
#include <string>
#include <thread>
#include <vector>

#include "artwork/geometry.h"
#include "tests/support/png_reader.h"

extern char** environ;

namespace bvm {
namespace {

namespace fs = std::filesystem;

// A folder of the test's own, removed at the end; the program's scratch files
// go to a folder of their own inside it, so that leftovers show.
class TFolder {
public:
    TFolder() {
        std::string pattern = (fs::temp_directory_path() / "preview-test-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        FPath = pattern;
        fs::create_directory(Scratch());
    }
    ~TFolder() { fs::remove_all(FPath); }
    TFolder(const TFolder&) = delete;
    TFolder& operator=(const TFolder&) = delete;

    std::string operator/(const std::string& name) const { return (FPath / name).string(); }
    fs::path Scratch() const { return FPath / "scratch"; }

    // Every name in the folder and in the scratch folder, hidden ones included.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const fs::path& folder : {FPath, Scratch()})
            for (const fs::directory_entry& entry : fs::directory_iterator(folder))
                if (entry.path() != Scratch()) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    fs::path FPath;
};

struct TRun {
    int ExitCode;
    std::string Output;
    std::string Errors;
};

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Starts the program with its standard output and error going to files.
pid_t Start(const TFolder& folder, const std::vector<std::string>& arguments, const std::string& path) {
    std::vector<std::string> command{BVM_PREVIEW};
    command.insert(command.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& a : command) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> variables{"TMPDIR=" + folder.Scratch().string(), "PATH=" + path};
    for (char** e = environ; *e; ++e)
        if (!std::string(*e).starts_with("TMPDIR=") && !std::string(*e).starts_with("PATH=")) variables.push_back(*e);
    std::vector<char*> envp;
    for (std::string& v : variables) envp.push_back(v.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string out = folder / "..stdout", err = folder / "..stderr";
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    const int error = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) throw std::runtime_error("cannot start the preview");
    return pid;
}

TRun Finish(const TFolder& folder, pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    TRun run{WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), ReadText(folder / "..stdout"),
             ReadText(folder / "..stderr")};
    fs::remove(folder / "..stdout");
    fs::remove(folder / "..stderr");
    return run;
}

std::string SearchPath() {
    const char* path = std::getenv("PATH");
    return path ? path : "/usr/bin:/bin";
}

TRun Preview(const TFolder& folder, const std::vector<std::string>& arguments, const std::string& path = SearchPath()) {
    return Finish(folder, Start(folder, arguments, path));
}

// A command's standard output, through the shell.
std::string Capture(const std::string& command) {
    const std::unique_ptr<FILE, decltype(&pclose)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) throw std::runtime_error("cannot run " + command);
    std::string output;
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) output.append(buffer, n);
    return output;
}

// Audio files -----------------------------------------------------------------

// A 1 kHz sine on each channel at its own level.
std::vector<float> Tones(const std::vector<double>& dbfs, int rate, double seconds) {
    const size_t length = static_cast<size_t>(rate * seconds), channels = dbfs.size();
    std::vector<float> samples(length * channels);
    for (size_t i = 0; i < length; ++i)
        for (size_t c = 0; c < channels; ++c)
            samples[i * channels + c] = static_cast<float>(
                std::pow(10.0, dbfs[c] / 20) * std::sin(2 * std::numbers::pi * 1000 * static_cast<double>(i) / rate));
    return samples;
}

void WriteAudio(const std::string& path, int format, int rate, int channels, const std::vector<float>& samples) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    const std::unique_ptr<SNDFILE, decltype(&sf_close)> file(sf_open(path.c_str(), SFM_WRITE, &info), sf_close);
    ASSERT_TRUE(file) << sf_strerror(nullptr);
    const sf_count_t length = static_cast<sf_count_t>(samples.size()) / channels;
    ASSERT_EQ(sf_writef_float(file.get(), samples.data(), length), length);
}

constexpr int kWavFloat = SF_FORMAT_WAV | SF_FORMAT_FLOAT;

// Pictures ----------------------------------------------------------------------

struct TPicture {
    int32_t Width = 0, Height = 0;
    std::vector<uint8_t> Bgra;  // top row first
    const uint8_t* At(int32_t x, int32_t y) const { return &Bgra[(static_cast<size_t>(y) * Width + x) * 4]; }
};

// A snapshot, which must be 8-bit RGB, as blue, green, red, alpha.
TPicture ReadSnapshot(const fs::path& path) {
    const TPng png = ReadPng(path);
    EXPECT_EQ(png.ColourType, SPNG_COLOR_TYPE_TRUECOLOR);
    EXPECT_EQ(png.BitDepth, 8);
    TPicture picture{static_cast<int32_t>(png.Width), static_cast<int32_t>(png.Height), png.Rgba};
    for (size_t i = 0; i < picture.Bgra.size(); i += 4) std::swap(picture.Bgra[i], picture.Bgra[i + 2]);
    return picture;
}

// Every frame of a video, decoded to blue, green, red, alpha.
std::vector<TPicture> VideoFrames(const std::string& video, int32_t width, int32_t height) {
    const std::string raw = Capture("ffmpeg -v error -i " + video + " -f rawvideo -pix_fmt bgra -");
    const size_t bytes = static_cast<size_t>(width) * height * 4;
    std::vector<TPicture> frames;
    for (size_t at = 0; at + bytes <= raw.size(); at += bytes)
        frames.push_back({width, height, std::vector<uint8_t>(raw.begin() + at, raw.begin() + at + bytes)});
    return frames;
}

// Whether segment n of a face is lit in a picture of the meter drawn in an
// area of the picture's size: its centre is bright, where an unlit slot and
// its neighbours' halos stay dark.
constexpr int kLitBrightness = 300;  // red + green + blue: lit centres 460 and more, unlit ones up to 175

bool Lit(const TPicture& picture, int face, int32_t n) {
    const int32_t x = (picture.Width - kBackgroundWidth) / 2 + static_cast<int32_t>(std::lround(Segment(n).FaceX));
    const int32_t y = (picture.Height - kBackgroundHeight) / 2 + face * kFaceHeight +
                      static_cast<int32_t>(std::lround(Segment(n).FaceY));
    const uint8_t* p = picture.At(x, y);
    return p[0] + p[1] + p[2] > kLitBrightness;
}

// The lowest and highest segment lit on a face, 0 when none is.
std::pair<int32_t, int32_t> LitRange(const TPicture& picture, int face) {
    int32_t low = 0, high = 0;
    for (int32_t n = 1; n <= kSegmentCount; ++n)
        if (Lit(picture, face, n)) {
            if (!low) low = n;
            high = n;
        }
    return {low, high};
}

// The built-in programme ------------------------------------------------------------

constexpr int kProgrammeFps = 10;
constexpr int kProgrammeFrames = 100;  // ten seconds

// One test, since every check reads the same two renders.
TEST(BuiltInProgramme, IsTheSameEveryTimeSweepsTheScaleAndMatchesItsSnapshot) {
    const TFolder folder;
    const std::vector<std::string> settings{"--fps", std::to_string(kProgrammeFps), "--gain", "16"};
    const auto render = [&](std::vector<std::string> arguments) {
        arguments.insert(arguments.end(), settings.begin(), settings.end());
        const TRun run = Preview(folder, arguments);
        EXPECT_EQ(run.ExitCode, 0) << run.Errors;
    };
    render({"--video", folder / "first.mkv"});
    render({"--video", folder / "second.mkv"});
    render({"--snapshot", folder / "at.png", "--at", "4.25"});  // frame 42
    const std::vector<TPicture> frames = VideoFrames(folder / "first.mkv", kBackgroundWidth, kBackgroundHeight);
    ASSERT_EQ(frames.size(), static_cast<size_t>(kProgrammeFrames));

    // Frames and sound alike: the lossless encoders make the same packets of
    // the same input, so that hashing the packets compares the whole input.
    const auto hashes = [&](const char* name) {
        return Capture("ffmpeg -v error -i " + folder / name + " -map 0 -c copy -f framemd5 - | grep -v '^#'");
    };
    const std::string first = hashes("first.mkv");
    EXPECT_EQ(first, hashes("second.mkv"));
    EXPECT_NE(first.find("\n1,"), std::string::npos) << "no sound";

    const TPicture snapshot = ReadSnapshot(folder / "at.png");
    EXPECT_EQ(snapshot.Width, kBackgroundWidth);
    EXPECT_EQ(snapshot.Height, kBackgroundHeight);
    EXPECT_TRUE(snapshot.Bgra == frames[42].Bgra);
    EXPECT_FALSE(snapshot.Bgra == frames[41].Bgra);

    // Dark before the tone rises; every segment of both faces lit at some
    // time, the faces apart at others; the peak-hold display dark again and
    // the bar falling in the silence at the end.
    const std::pair<int32_t, int32_t> none{0, 0};
    int32_t top[kFaceCount] = {0, 0};
    bool facesDiffer = false;
    for (const TPicture& frame : frames) {
        for (int face = 0; face < kFaceCount; ++face) top[face] = std::max(top[face], LitRange(frame, face).second);
        facesDiffer = facesDiffer || LitRange(frame, 0) != LitRange(frame, 1);
    }
    EXPECT_EQ(top[0], kSegmentCount);
    EXPECT_EQ(top[1], kSegmentCount);
    EXPECT_TRUE(facesDiffer);
    for (int face = 0; face < kFaceCount; ++face) {
        EXPECT_EQ(LitRange(frames.front(), face), none);
        const int32_t end = LitRange(frames.back(), face).second;
        EXPECT_LE(end, kBarTopSegment);
        EXPECT_LT(end, LitRange(frames[kProgrammeFrames - 11], face).second);
    }
}

// Levels from files --------------------------------------------------------------

// A steady tone lights the bar up to its level, and the peak-hold display
// from +2 dB; a frame of a steady level of +4 dB (segment 30) shows 30 or 29.
struct TLevelCase {
    const char* Name;
    const char* File;
    int Format;
    std::vector<double> Dbfs;                 // per channel, before the gain of +6 dB
    std::pair<int32_t, int32_t> Left, Right;  // the lit range expected on each face
};

class Levels : public ::testing::TestWithParam<TLevelCase> {};

TEST_P(Levels, LightTheSegmentsOfTheFirstTwoChannels) {
    const TLevelCase& c = GetParam();
    const TFolder folder;
    constexpr int kRate = 48000;
    WriteAudio(folder / c.File, c.Format, kRate, static_cast<int>(c.Dbfs.size()), Tones(c.Dbfs, kRate, 2.0));
    // A larger area than the artwork, which the meter centres.
    const TRun run = Preview(folder, {folder / c.File, "--snapshot", folder / "level.png", "--at", "1.5", "--gain",
                                      "+6", "--size", "700x500"});
    ASSERT_EQ(run.ExitCode, 0) << run.Errors;
    const TPicture picture = ReadSnapshot(folder / "level.png");
    const auto peakRange = [](std::pair<int32_t, int32_t> expected, std::pair<int32_t, int32_t> seen) {
        return expected == seen ||
               (expected.second > kBarTopSegment && seen == std::make_pair(expected.first, expected.second - 1));
    };
    EXPECT_PRED2(peakRange, c.Left, LitRange(picture, 0));
    EXPECT_PRED2(peakRange, c.Right, LitRange(picture, 1));
}

INSTANTIATE_TEST_SUITE_P(
    Files, Levels,
    ::testing::Values(
        // -12 dBFS reads -6 dB, segment 20; -2 dBFS reads +4 dB, segment 30.
        TLevelCase{"StereoWav", "stereo.wav", kWavFloat, {-12, -2}, {1, 20}, {1, 30}},
        TLevelCase{"MonoFlacOnBothFaces", "mono.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, {-12}, {1, 20}, {1, 20}},
        TLevelCase{"StereoOgg", "stereo.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, {-2, -12}, {1, 30}, {1, 20}},
        TLevelCase{"FourChannelsShowTheFirstTwo",
                   "quad.wav",
                   SF_FORMAT_WAV | SF_FORMAT_PCM_24,
                   {-12, -2, 0, 0},
                   {1, 20},
                   {1, 30}}),
    [](const ::testing::TestParamInfo<TLevelCase>& info) { return info.param.Name; });

// Frames and samples ----------------------------------------------------------------

// At 8000 samples a second and 30 frames a second, frames start at samples 0,
// 266, 533 and 800; a file of 1000 samples ends in a partial fourth frame.
// One full-scale sample in silence, read at +15 dB, lights the top segment in
// the frame that holds it.
struct TClickCase {
    int Sample;
    int Frame;
    bool TopLit;
};

class Clicks : public ::testing::TestWithParam<TClickCase> {};

TEST_P(Clicks, ShowInTheFrameWhoseSamplesHoldThem) {
    const TClickCase& c = GetParam();
    const TFolder folder;
    std::vector<float> samples(1000, 0.0f);
    samples[static_cast<size_t>(c.Sample)] = 1.0f;
    WriteAudio(folder / "click.wav", kWavFloat, 8000, 1, samples);
    // The middle of the frame, so that the time names it beyond doubt.
    const TRun run = Preview(folder, {folder / "click.wav", "--snapshot", folder / "click.png", "--at",
                                      std::to_string((c.Frame + 0.5) / 30), "--gain", "15"});
    ASSERT_EQ(run.ExitCode, 0) << run.Errors;
    EXPECT_EQ(Lit(ReadSnapshot(folder / "click.png"), 0, kSegmentCount), c.TopLit);
}

INSTANTIATE_TEST_SUITE_P(FrameBoundaries, Clicks,
                         ::testing::Values(TClickCase{265, 0, true}, TClickCase{266, 0, false},
                                           TClickCase{532, 1, true}, TClickCase{533, 1, false},
                                           TClickCase{533, 2, true}, TClickCase{999, 3, true}));

struct TFrameCountCase {
    int Rate;
    int Samples;
    int Fps;
    int Frames;  // the samples' length in frames, rounded up
};

class FrameCounts : public ::testing::TestWithParam<TFrameCountCase> {};

TEST_P(FrameCounts, CoverTheSamplesWithAPartialLastFrame) {
    const TFrameCountCase& c = GetParam();
    const TFolder folder;
    WriteAudio(folder / "tone.wav", kWavFloat, c.Rate, 1, std::vector<float>(static_cast<size_t>(c.Samples), 0.25f));
    const TRun run = Preview(folder, {folder / "tone.wav", "--video", folder / "count.mkv", "--fps",
                                      std::to_string(c.Fps), "--size", "64x48", "--gain", "0"});
    ASSERT_EQ(run.ExitCode, 0) << run.Errors;
    EXPECT_EQ(
        Capture("ffprobe -v error -count_frames -select_streams v -show_entries stream=nb_read_frames -of csv=p=0 " +
                folder / "count.mkv"),
        std::to_string(c.Frames) + "\n");
    EXPECT_NE(run.Output.find(" " + std::to_string(c.Frames) + " frames "), std::string::npos) << run.Output;
}

INSTANTIATE_TEST_SUITE_P(RatesNotMultiplesOfTheFrameRate, FrameCounts,
                         ::testing::Values(TFrameCountCase{8000, 1000, 30, 4}, TFrameCountCase{44100, 44100, 24, 24},
                                           TFrameCountCase{44100, 44101, 24, 25}, TFrameCountCase{22050, 3675, 60, 10},
                                           TFrameCountCase{22050, 3676, 60, 11}));

// Videos ---------------------------------------------------------------------------

struct TVideoCase {
    const char* Extension;
    bool Sound;
    const char* EncodedSize;  // what ffprobe reports as width,height
};

class Videos : public ::testing::TestWithParam<TVideoCase> {};

TEST_P(Videos, HoldEveryFrameForTheAudiosLength) {
    const TVideoCase& c = GetParam();
    const TFolder folder;
    WriteAudio(folder / "tone.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 2, Tones({-6, -3}, 44100, 1.0));
    const std::string video = folder / (std::string("clip") + c.Extension);
    const TRun run =
        Preview(folder, {folder / "tone.wav", "--video", video, "--fps", "25", "--size", "65x49", "--gain", "6"});
    ASSERT_EQ(run.ExitCode, 0) << run.Errors;
    const std::string probe = "ffprobe -v error -of csv=p=0 ";
    EXPECT_EQ(
        Capture(probe + "-count_frames -select_streams v -show_entries stream=width,height,nb_read_frames " + video),
        std::string(c.EncodedSize) + ",25\n");
    EXPECT_EQ(Capture(probe + "-select_streams a -show_entries stream=codec_type " + video), c.Sound ? "audio\n" : "");
    EXPECT_NEAR(std::stod(Capture(probe + "-show_entries format=duration " + video)), 1.0, 0.05);
}

INSTANTIATE_TEST_SUITE_P(Formats, Videos,
                         ::testing::Values(TVideoCase{".mp4", true, "66,50"}, TVideoCase{".webm", true, "65,49"},
                                           TVideoCase{".mkv", true, "65,49"}, TVideoCase{".gif", false, "65,49"}),
                         [](const ::testing::TestParamInfo<TVideoCase>& info) {
                             return std::string(info.param.Extension + 1);
                         });

// Failures ----------------------------------------------------------------------------

struct TFailureCase {
    const char* Name;
    std::vector<std::string> Arguments;  // "@" stands for the test's folder
    int ExitCode;
    const char* Message;
    bool WithoutFfmpeg = false;
};

class Failures : public ::testing::TestWithParam<TFailureCase> {};

TEST_P(Failures, NameTheCauseAndLeaveNoFile) {
    const TFailureCase& c = GetParam();
    const TFolder folder;
    std::ofstream(folder / "noise.wav") << "not audio at all";
    WriteAudio(folder / "short.wav", kWavFloat, 8000, 1, std::vector<float>(8000, 0.5f));
    std::vector<std::string> arguments;
    for (const std::string& a : c.Arguments) arguments.push_back(a.starts_with("@/") ? folder / a.substr(2) : a);
    const TRun run = Preview(folder, arguments, c.WithoutFfmpeg ? folder / "no-such-folder" : SearchPath());
    EXPECT_EQ(run.ExitCode, c.ExitCode);
    EXPECT_NE(run.Errors.find(c.Message), std::string::npos) << run.Errors;
    EXPECT_EQ(std::count(run.Errors.begin(), run.Errors.end(), '\n'), 1) << run.Errors;
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"noise.wav", "short.wav"}));
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, Failures,
    ::testing::Values(
        TFailureCase{"UnknownOption", {"--colour", "red", "--video", "@/out.mp4"}, 2, "unknown option --colour"},
        TFailureCase{"SizeWithoutHeight", {"--size", "640", "--video", "@/out.mp4"}, 2, "--size wants WIDTHxHEIGHT"},
        TFailureCase{"ZeroSize", {"--size", "0x470", "--video", "@/out.mp4"}, 2, "--size wants WIDTHxHEIGHT"},
        TFailureCase{"HugeSize", {"--size", "9000x9000", "--video", "@/out.mp4"}, 2, "--size wants WIDTHxHEIGHT"},
        TFailureCase{"NoFrameRate", {"--fps", "0", "--video", "@/out.mp4"}, 2, "--fps wants a whole number"},
        TFailureCase{"GainNotANumber", {"--gain", "loud", "--video", "@/out.mp4"}, 2, "--gain wants decibels"},
        TFailureCase{"OptionWithoutValue", {"--video", "@/out.mp4", "--gain"}, 2, "--gain wants a value"},
        TFailureCase{"NothingToWrite", {"@/short.wav"}, 2, "nothing to write"},
        TFailureCase{"SnapshotWithoutTime", {"--snapshot", "@/out.png"}, 2, "--snapshot wants --at"},
        TFailureCase{"SnapshotNotPng", {"--snapshot", "@/out.jpg", "--at", "1"}, 2, "--snapshot writes a PNG"},
        TFailureCase{"VideoOfUnknownKind", {"--video", "@/out.avi"}, 2, "--video cannot write"},
        TFailureCase{
            "TimePastTheEnd", {"@/short.wav", "--snapshot", "@/out.png", "--at", "1.01"}, 2, "is past the end"},
        TFailureCase{"TwoInputs", {"@/short.wav", "@/noise.wav", "--video", "@/out.mp4"}, 2, "give one audio file"},
        TFailureCase{"MissingInput", {"@/gone.wav", "--video", "@/out.mp4"}, 1, "cannot read audio from"},
        TFailureCase{"InputNotAudio", {"@/noise.wav", "--video", "@/out.mp4"}, 1, "cannot read audio from"},
        TFailureCase{"MissingPlugin",
                     {"--plugin", "@/gone.so", "--snapshot", "@/out.png", "--at", "0"},
                     1,
                     "cannot load the plug-in library"},
        TFailureCase{"LibraryWithoutTheExport",
                     {"--plugin", BVM_NOT_A_PLUGIN_PATH, "--video", "@/out.mp4"},
                     1,
                     "has no AIMPPluginGetHeader export"},
        TFailureCase{"PluginWithoutItsArtwork",
                     {"--plugin", BVM_PLUGIN_WITHOUT_PEAK_PATH, "--video", "@/out.mp4"},
                     1,
                     "the plug-in failed to initialise its visualization"},
        TFailureCase{"NoFfmpeg",
                     {"@/short.wav", "--video", "@/out.mp4", "--snapshot", "@/out.png", "--at", "0"},
                     1,
                     "ffmpeg is not installed",
                     true},
        TFailureCase{"FolderMissing", {"@/short.wav", "--video", "@/gone/out.mp4"}, 1, "cannot write"}),
    [](const ::testing::TestParamInfo<TFailureCase>& info) { return info.param.Name; });

TEST(Interruption, StopsTheRenderAndRemovesItsFiles) {
    const TFolder folder;
    const pid_t pid = Start(folder,
                            {"--video", folder / "long.mkv", "--snapshot", folder / "late.png", "--at", "9", "--size",
                             "1920x1080", "--gain", "16"},
                            SearchPath());
    std::this_thread::sleep_for(std::chrono::milliseconds(800));  // well into the render, far from its end
    kill(pid, SIGINT);
    const TRun run = Finish(folder, pid);
    EXPECT_EQ(run.ExitCode, 130) << run.Errors;
    EXPECT_EQ(folder.Names(), std::vector<std::string>{});
}

}  // namespace
}  // namespace bvm
