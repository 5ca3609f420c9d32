#include "cli/options.h"

#include <charconv>
#include <span>

#include "cli/cli_error.h"
#include "cli/project_file.h"
#include "media/image_io.h"

namespace kavrell::cli {
namespace {

constexpr const char* kCommandLine = "command line";

[[noreturn]] void Refuse(const std::string& field, const std::string& what) {
    throw CliError(kExitBadInput, kCommandLine, field, what);
}

struct OptionRule {
    const char* longName;
    char shortName;         // 0: none
    const char* valueName;  // nullptr: a flag
};

constexpr OptionRule kMorphOptions[] = {
    {"output", 'o', "PATH"}, {"project", 'p', "PROJECT"}, {"frames", 0, "N"},      {"delay", 0, "D"},
    {"preview", 0, nullptr}, {"json", 0, nullptr},        {"quiet", 'q', nullptr}, {"force", 0, nullptr},
};
constexpr OptionRule kEditOptions[] = {
    {"output", 'o', "PATH"},
    {"project", 'p', "PROJECT"},
};
constexpr OptionRule kInitOptions[] = {
    {"mesh", 0, "COLSxROWS"},
    {"output", 'o', "PROJECT"},
    {"force", 0, nullptr},
};

struct GivenOption {
    const OptionRule* rule;
    std::string written;  // as on the command line, for messages
    std::string value;
};

struct SplitArguments {
    std::vector<GivenOption> options;
    std::vector<std::string> operands;
};

std::string Quoted(const std::string& text) {
    return "\"" + (text.size() <= 40 ? text : text.substr(0, 37) + "...") + "\"";
}

const OptionRule* FindLong(std::span<const OptionRule> rules, const std::string& name) {
    for (const OptionRule& rule : rules) {
        if (name == rule.longName) return &rule;
    }
    return nullptr;
}

const OptionRule* FindShort(std::span<const OptionRule> rules, char name) {
    for (const OptionRule& rule : rules) {
        if (rule.shortName != 0 && name == rule.shortName) return &rule;
    }
    return nullptr;
}

// Separates options (with their values) from operands.
SplitArguments Split(std::span<const std::string> args, std::span<const OptionRule> rules) {
    SplitArguments result;
    bool optionsEnded = false;
    for (size_t k = 0; k < args.size(); ++k) {
        const std::string& arg = args[k];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            result.operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        // Takes the value of an option from the rest of this argument or the next one.
        auto valueOf = [&](const std::string& written, const OptionRule& rule,
                           std::optional<std::string> attached) {
            if (attached) return *attached;
            if (k + 1 >= args.size()) Refuse(written, std::string("needs a value (") + rule.valueName + ")");
            return args[++k];
        };
        if (arg[1] == '-') {
            const size_t equals = arg.find('=');
            const std::string name =
                arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
            const std::string written = "--" + name;
            const OptionRule* rule = FindLong(rules, name);
            if (!rule) Refuse(written, "unknown option");
            std::optional<std::string> attached;
            if (equals != std::string::npos) attached = arg.substr(equals + 1);
            if (!rule->valueName) {
                if (attached) Refuse(written, "takes no value");
                result.options.push_back({rule, written, ""});
            } else {
                result.options.push_back({rule, written, valueOf(written, *rule, attached)});
            }
            continue;
        }
        // Short options, which may be bundled ("-qo out.gif") and take their
        // value from the rest of the argument ("-oout.gif").
        for (size_t c = 1; c < arg.size(); ++c) {
            const std::string written = std::string("-") + arg[c];
            const OptionRule* rule = FindShort(rules, arg[c]);
            if (!rule) Refuse(written, "unknown option");
            if (!rule->valueName) {
                result.options.push_back({rule, written, ""});
                continue;
            }
            std::optional<std::string> attached;
            if (c + 1 < arg.size()) attached = arg.substr(c + 1);
            result.options.push_back({rule, written, valueOf(written, *rule, attached)});
            break;
        }
    }
    return result;
}

int32_t WholeNumberIn(const GivenOption& option, int32_t lowest, int32_t highest) {
    int32_t number = 0;
    const std::string& text = option.value;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || number < lowest ||
        number > highest) {
        Refuse(option.written, "must be a whole number from " + std::to_string(lowest) + " to " +
                                   std::to_string(highest) + ", found " + Quoted(text));
    }
    return number;
}

// "COLSxROWS", each from 1 to 100.
void ReadMeshSize(const GivenOption& option, InitOptions& init) {
    const std::string& text = option.value;
    const size_t cross = text.find_first_of("xX");
    auto part = [&](const std::string& piece, int32_t& into) {
        const auto [end, error] = std::from_chars(piece.data(), piece.data() + piece.size(), into);
        return !piece.empty() && error == std::errc() && end == piece.data() + piece.size() &&
               into >= MinMeshCount && into <= MaxMeshCount;
    };
    if (cross == std::string::npos || !part(text.substr(0, cross), init.cols) ||
        !part(text.substr(cross + 1), init.rows)) {
        Refuse(option.written, "must be COLSxROWS with each from " + std::to_string(MinMeshCount) + " to " +
                                   std::to_string(MaxMeshCount) + ", found " + Quoted(text));
    }
}

MorphOptions ReadMorph(std::span<const std::string> args) {
    const SplitArguments split = Split(args, kMorphOptions);
    MorphOptions morph;
    bool haveProject = false;
    for (const GivenOption& option : split.options) {
        const std::string name = option.rule->longName;
        if (name == "output") {
            if (option.value.empty()) Refuse(option.written, "must not be empty");
            morph.output = option.value;
        } else if (name == "project") {
            morph.project = option.value;
            haveProject = true;
        } else if (name == "frames") {
            morph.frames = WholeNumberIn(option, MinFrames, MaxFrames);
        } else if (name == "delay") {
            morph.delay = WholeNumberIn(option, MinDelay, MaxDelay);
        } else if (name == "preview") {
            morph.preview = true;
        } else if (name == "json") {
            morph.json = true;
        } else if (name == "quiet") {
            morph.quiet = true;
        } else if (name == "force") {
            morph.force = true;
        }
    }
    const std::string usage = " (usage: kavrell-morph [options] -p PROJECT SOURCE [DESTINATION])";
    if (!haveProject || morph.project.empty()) Refuse("-p", "a project file is required" + usage);
    if (split.operands.empty()) Refuse("SOURCE", "missing" + usage);
    if (split.operands.size() > 2) Refuse(Quoted(split.operands[2]), "unexpected operand" + usage);
    morph.source = split.operands[0];
    if (split.operands.size() == 2) morph.destination = split.operands[1];
    return morph;
}

InitOptions ReadInit(std::span<const std::string> args) {
    const SplitArguments split = Split(args, kInitOptions);
    InitOptions init;
    bool haveMesh = false;
    for (const GivenOption& option : split.options) {
        const std::string name = option.rule->longName;
        if (name == "mesh") {
            ReadMeshSize(option, init);
            haveMesh = true;
        } else if (name == "output") {
            if (option.value.empty()) Refuse(option.written, "must not be empty");
            init.output = option.value;
        } else if (name == "force") {
            init.force = true;
        }
    }
    const std::string usage = " (usage: kavrell-morph init --mesh COLSxROWS [-o PROJECT] SOURCE)";
    if (!haveMesh) Refuse("--mesh", "required" + usage);
    if (split.operands.empty()) Refuse("SOURCE", "missing" + usage);
    if (split.operands.size() > 1) Refuse(Quoted(split.operands[1]), "unexpected operand" + usage);
    init.source = split.operands[0];
    return init;
}

EditOptions ReadEdit(std::span<const std::string> args) {
    const SplitArguments split = Split(args, kEditOptions);
    EditOptions edit;
    for (const GivenOption& option : split.options) {
        if (option.value.empty()) Refuse(option.written, "must not be empty");
        if (std::string(option.rule->longName) == "project") {
            edit.project = option.value;
        } else {
            edit.output = option.value;
        }
    }
    const std::string usage = " (usage: kavrell-morph edit -p PROJECT [-o OUTPUT] SOURCE [DESTINATION])";
    if (edit.project.empty()) Refuse("-p", "a project file is required" + usage);
    if (split.operands.empty()) Refuse("SOURCE", "missing" + usage);
    if (split.operands.size() > 2) Refuse(Quoted(split.operands[2]), "unexpected operand" + usage);
    edit.source = split.operands[0];
    if (split.operands.size() == 2) edit.destination = split.operands[1];
    return edit;
}

// --help and --version win over everything else before "--".
std::optional<Command> InformationRequest(std::span<const std::string> args) {
    for (const std::string& arg : args) {
        if (arg == "--") break;
        if (arg == "--help" || arg == "-h") return Command::Help;
        if (arg == "--version") return Command::Version;
    }
    return std::nullopt;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    if (const std::optional<Command> request = InformationRequest(args)) {
        line.command = *request;
        return line;
    }
    const std::span<const std::string> all(args);
    if (!args.empty() && args[0] == "init") {
        line.command = Command::Init;
        line.init = ReadInit(all.subspan(1));
    } else if (!args.empty() && args[0] == kEditCommand) {
        line.command = Command::Edit;
        line.edit = ReadEdit(all.subspan(1));
    } else {
        line.command = Command::Morph;
        line.morph = ReadMorph(all);
    }
    return line;
}

std::string HelpText() {
    return R"(Usage: kavrell-morph [options] -p PROJECT SOURCE [DESTINATION]
       kavrell-morph init --mesh COLSxROWS [-o PROJECT] SOURCE
       kavrell-morph edit -p PROJECT [-o OUTPUT] SOURCE [DESTINATION]

Morphs SOURCE into DESTINATION ("Full morphing mode") along the control
points of PROJECT, or warps SOURCE alone ("Warp only mode") when no
DESTINATION is given. Images are PNG, JPEG, BMP or GIF (its first frame); a
DESTINATION of another size is resampled to the size of SOURCE.

Options:
  -p, --project PROJECT  the project file (JSON): method, frames, delay,
                         interpolation and the mesh or field-line points
  -o, --output PATH      where the frames go: PATH.gif an animated GIF,
                         PATH.webp an animated WebP (lossless; identical
                         frames in a row are stored once, for their added
                         time), anything else a directory of frame_000.png,
                         frame_001.png, ... (default: morph.gif)
      --frames N         number of frames, 0 to 100 (overrides the project)
      --delay D          display time of each frame in hundredths of a
                         second, 0 to 100 (overrides the project)
      --preview          work on copies whose larger side is 200 pixels
      --json             print a summary as one JSON object on stdout
  -q, --quiet            no progress bar
      --force            replace the output even when it is read-only
  -h, --help             show this help
      --version          show the version

init writes a mesh project with the regular lattice of COLS x ROWS interior
nodes (each 1 to 100) laid over SOURCE, source and destination equal, to
PROJECT or to standard output (--force as above).

Images are read strictly: a damaged or cut-short file is refused, and so is
an image of more than )" +
           LargestImageText() +
           R"(.

An output is replaced whole or not at all, and keeps its permission bits; a
directory of frames is exchanged for the new one in one step, keeping the
files in it that are not frames. An interrupted run (SIGINT, SIGTERM) leaves
no temporary and the earlier output as it was.

edit opens the editor window on SOURCE and DESTINATION with the control
points and settings of PROJECT in place (a PROJECT that does not exist yet
starts empty). When the window closes they are written back to PROJECT;
"Save sequence and exit" also writes the frames to OUTPUT when -o is given,
as a morph run would. edit needs a display.

Exit status: 0 the sequence was completed; 1 the output could not be
written; 2 bad usage or bad input (nothing written); 3 the warp failed (the
frames made before the failure are written only when OUTPUT did not exist);
130 or 143 interrupted by SIGINT or SIGTERM.
)";
}

}  // namespace kavrell::cli
