#include "tools/render/RenderCommand.h"

#include <charconv>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>

#include "effects/EffectCatalog.h"
#include "effects/FrameComposer.h"
#include "effects/Random.h"
#include "imaging/PictureFile.h"
#include "platform/raster/Drawing.h"
#include "tools/common/PictureWriters.h"

namespace corvane {

namespace {

const char kUsage[] =
    "Usage:\n"
    "  corvane-render --list\n"
    "  corvane-render --from OLD --to NEW --effect E --progress P [--seed S] --out FILE\n"
    "  corvane-render --from OLD --to NEW --effect E [--step N] [--reverse] [--seed S]\n"
    "                 (--frames PATTERN | --y4m FILE)\n"
    "\n"
    "E is an effect number (1 to 171) or name; P a progress from 0 to 100; S the state of the\n"
    "random generator before the first frame (default 0). FILE and PATTERN end in .bmp or .png;\n"
    "PATTERN holds one printf-style number, e.g. out/f%03d.png. --y4m - writes to standard\n"
    "output. The frames have NEW's size; OLD is scaled to it when the sizes differ.\n";

// Bad input: the message is the one line the command prints.
struct EBadInput : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Options {
    bool List = false, Reverse = false, Help = false;
    std::string From, To, Effect, Out, Frames, Y4m;
    std::optional<int> Progress;
    int Step = 4;
    uint32_t Seed = 0;
};

long ParseInteger(const std::string& text, const std::string& option, long lo, long hi) {
    long value = 0;
    int base = 10;
    std::string digits = text;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits = digits.substr(2);
    }
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size())
        throw EBadInput(option + " needs a number, not \"" + text + "\"");
    if (value < lo || value > hi)
        throw EBadInput(option + " must be from " + std::to_string(lo) + " to " +
                        std::to_string(hi) + ", not " + text);
    return value;
}

Options Parse(const std::vector<std::string>& args) {
    Options o;
    std::map<std::string, std::string*> texts{{"--from", &o.From},     {"--to", &o.To},
                                              {"--effect", &o.Effect}, {"--out", &o.Out},
                                              {"--frames", &o.Frames}, {"--y4m", &o.Y4m}};
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw EBadInput(a + " needs a value");
            return args[++i];
        };
        if (a == "--list") {
            o.List = true;
        } else if (a == "--help" || a == "-h") {
            o.Help = true;
        } else if (a == "--reverse") {
            o.Reverse = true;
        } else if (texts.count(a)) {
            *texts[a] = value();
        } else if (a == "--progress") {
            o.Progress = int(ParseInteger(value(), a, 0, 100));
        } else if (a == "--step") {
            o.Step = int(ParseInteger(value(), a, 1, 100));
        } else if (a == "--seed") {
            o.Seed = uint32_t(ParseInteger(value(), a, 0, 4294967295L));
        } else {
            throw EBadInput("unknown option " + a + " (see --help)");
        }
    }
    return o;
}

int EffectOf(const std::string& text) {
    int number = -1;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        number = EffectNumberOfName(text);
    if (number == 0) throw EBadInput("effect \"" + text + "\" is custom drawing and has no routine");
    if (number < 1 || number > TEffectCatalog::Count)
        throw EBadInput("unknown effect \"" + text + "\" (see --list)");
    return number;
}

Bitmap32 Load(const std::string& fileName) {
    try {
        return LoadPictureBitmap(fileName);
    } catch (const std::exception& e) {
        std::string what = e.what();
        // Name the file unless the message already does.
        if (what.find(fileName) == std::string::npos) what = fileName + ": " + what;
        throw EBadInput(what);
    }
}

// Checks that a frame pattern holds exactly one integer conversion (%d with optional flags
// and width) and nothing else that printf would read.
void CheckPattern(const std::string& pattern) {
    int conversions = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%') continue;
        if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
            ++i;
            continue;
        }
        size_t j = i + 1;
        while (j < pattern.size() && std::strchr("0-+ ", pattern[j])) ++j;
        while (j < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[j]))) ++j;
        if (j >= pattern.size() || (pattern[j] != 'd' && pattern[j] != 'i' && pattern[j] != 'u'))
            throw EBadInput("--frames pattern \"" + pattern + "\" must hold one number like %03d");
        ++conversions;
        i = j;
    }
    if (conversions != 1)
        throw EBadInput("--frames pattern \"" + pattern + "\" must hold exactly one number like %03d");
    if (!IsWritablePictureName(pattern))
        throw EBadInput("--frames pattern \"" + pattern + "\" must end in .bmp or .png");
}

std::string FrameName(const std::string& pattern, int number) {
    std::vector<char> name(pattern.size() + 32);
    std::snprintf(name.data(), name.size(), pattern.c_str(), number);
    return name.data();
}

}  // namespace

int RunRenderCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     std::FILE* standardOutput) {
    try {
        const Options o = Parse(args);
        if (o.Help || args.empty()) {
            out << kUsage;
            return args.empty() ? 2 : 0;
        }
        if (o.List) {
            for (int n = 1; n <= TEffectCatalog::Count; ++n) out << n << '\t' << Effects[n].Name << '\n';
            return 0;
        }
        if (o.From.empty() || o.To.empty() || o.Effect.empty())
            throw EBadInput("--from, --to and --effect are needed (see --help)");
        const int outputs = !o.Out.empty() + !o.Frames.empty() + !o.Y4m.empty();
        if (outputs != 1) throw EBadInput("give exactly one of --out, --frames and --y4m");
        if (!o.Out.empty() && !o.Progress) throw EBadInput("--out needs --progress");
        if (o.Out.empty() && o.Progress) throw EBadInput("--progress goes with --out only");
        if (!o.Out.empty() && !IsWritablePictureName(o.Out))
            throw EBadInput(o.Out + ": the output must end in .bmp or .png");
        if (!o.Frames.empty()) CheckPattern(o.Frames);
        const int effect = EffectOf(o.Effect);

        const Bitmap32 picture = Load(o.To);
        Bitmap32 oldFrame = Load(o.From);
        if (oldFrame.Width() != picture.Width() || oldFrame.Height() != picture.Height()) {
            Bitmap32 scaled(picture.Width(), picture.Height());
            StretchBlt(scaled, 0, 0, scaled.Width(), scaled.Height(), oldFrame, 0, 0,
                       oldFrame.Width(), oldFrame.Height());
            oldFrame = std::move(scaled);
        }

        SetRandomState(o.Seed);
        Bitmap32 screen;
        if (!o.Out.empty()) {
            ComposeFrame(screen, oldFrame, picture, effect, *o.Progress);
            WritePictureFile(screen, o.Out);
            return 0;
        }

        std::FILE* y4mFile = nullptr;
        std::optional<TY4mWriter> y4m;
        struct CloseFile {
            std::FILE*& File;
            bool Owned;
            ~CloseFile() {
                if (File && Owned) std::fclose(File);
            }
        } closer{y4mFile, o.Y4m != "-"};
        if (!o.Y4m.empty()) {
            y4mFile = o.Y4m == "-" ? standardOutput : std::fopen(o.Y4m.c_str(), "wb");
            if (!y4mFile) throw EBadInput(o.Y4m + ": " + std::strerror(errno));
            // A whole transition at 25 frames a second, the pace of the default 40 ms per frame.
            y4m.emplace(y4mFile, picture.Width(), picture.Height(), 25, 1);
        }
        int progress = o.Reverse ? 100 : 0, frame = 0;
        do {
            progress = NextProgress(progress, o.Step, o.Reverse);
            ComposeFrame(screen, oldFrame, picture, effect, progress);
            ++frame;
            if (y4m)
                y4m->WriteFrame(screen);
            else
                WritePictureFile(screen, FrameName(o.Frames, frame));
        } while (progress != (o.Reverse ? 0 : 100));
        if (y4mFile && std::fflush(y4mFile) != 0)
            throw EBadInput(o.Y4m + ": " + std::strerror(errno));
        if (!o.Frames.empty())
            err << frame << " frames written to " << FrameName(o.Frames, 1) << " ... "
                << FrameName(o.Frames, frame) << '\n';
        return 0;
    } catch (const EBadInput& e) {
        err << "corvane-render: " << e.what() << '\n';
    } catch (const EWriteError& e) {
        err << "corvane-render: cannot write " << e.what() << '\n';
    } catch (const std::bad_alloc&) {
        err << "corvane-render: out of memory\n";
    } catch (const std::exception& e) {
        err << "corvane-render: " << e.what() << '\n';
    }
    return 2;
}

}  // namespace corvane
