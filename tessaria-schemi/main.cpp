// tessaria-schemi: the teacher's command to check schemes, import drawings from other
// formats and export schemes as worksheets, pictures and .non puzzles. A thin front end:
// arguments, messages and exit status; the work is done by the schemetools library.
#include "checker.h"
#include "importer.h"
#include "inputerror.h"
#include "report.h"
#include "savefile.h"
#include "worksheet.h"

#include "game.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <fcntl.h>
#include <map>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

using namespace schemetools;

namespace {

// Exit statuses: all fine, problems found, usage error or unreadable input.
constexpr int AllFine = 0;
constexpr int ProblemsFound = 1;
constexpr int BadInput = 2;

constexpr const char* GeneralHelp = R"(Usage: tessaria-schemi COMMAND [OPTIONS] ...

Checks, imports and exports the schemes (.dis drawings) that Tessaria plays.

Commands:
  check PATH...                      check schemes: files, or folders searched with their sub-folders
  import SOURCE -o NAME.dis          make a scheme from a .non puzzle, a picture or a text grid
  export SCHEME... --to non|pdf|png  make a worksheet, a picture or a .non puzzle of schemes

"tessaria-schemi COMMAND --help" tells more about each command.

Exit status: 0 all fine, 1 problems found, 2 wrong command line or input that cannot be read.
)";

constexpr const char* CheckHelp = R"(Usage: tessaria-schemi check [--json] [--budget STEPS] PATH...

Checks every scheme: the files named, and in the folders named every file whose name ends in
.dis (any letter case), as the scheme list shows them. For each scheme one line gives the
verdict on the puzzle as the window shows it:
  unique and solvable line by line   every cell can be worked out one row or column at a time
  unique but needs trial             one picture fits, but finding it needs trying: hard for a child
  not unique                         another picture fits the same clues (it is shown)
  undecided                          the search stopped after STEPS steps without an answer
Then one line per problem, with the file, its line where it has one, and "error" or "warning".

Options:
  --json          one JSON object per line for each scheme: file, verdict (unique-line,
                  unique-trial, not-unique, undecided, error), problems [{severity, message,
                  line}], and second (the other picture) when it is not unique
  --budget STEPS  how many search steps a verdict may take (default 20000)
  --help          this text

A scheme or folder that other users may not read is warned about: children may not be able to
open it. Links are followed as the scheme list follows them.

Exit status: 0 when every scheme is unique without errors or warnings, 1 when problems were
found, 2 when a path does not exist or a file or folder cannot be read.
)";

constexpr const char* ImportHelp = R"(Usage: tessaria-schemi import SOURCE -o NAME.dis [OPTIONS]

Makes a scheme from SOURCE, writes it as lines of # and -, then checks it and prints the
verdict. The kind of SOURCE follows its name:
  .non                     a puzzle in the .non text format (width, height, rows, columns, and
                           goal; without a goal the clues are solved)
  .png .bmp .gif .pbm .pgm .ppm .xpm .jpg .jpeg
                           a picture: dark pixels are picture cells, transparent and light ones
                           blank; the white margins are cropped
  .txt                     a text grid: # X 1 or a full block for a filled cell; . - 0 or a
                           blank for an empty one

Options:
  -o NAME.dis            the scheme to write (required; its name must end in .dis)
  --from non|picture|text  the kind of SOURCE, whatever its name
  --threshold LEVEL      pixels darker than this grey level (0-255, default 128) are picture cells
  --fit                  reduce a picture larger than 21 x 21 to fit the grid (area averaging)
  --allow-not-unique     import a .non without goal even when several pictures fit its clues
  --force                overwrite NAME.dis if it exists
  --json                 print the check of the new scheme as JSON
  --help                 this text

Nothing is written when SOURCE cannot be used (exit status 2). Otherwise the exit status is
that of the check: 0 all fine, 1 problems found.
)";

constexpr const char* ExportHelp
    = R"(Usage: tessaria-schemi export SCHEME... --to non|pdf|png [-o OUT] [OPTIONS]

Exports schemes (files, or folders searched with their sub-folders):
  pdf   a worksheet to print: an A4 page per scheme with the grid and its clues as the window
        shows them, and a line for name and date; several schemes make one PDF
  png   the finished picture
  non   the puzzle in the .non format with its goal, for other nonogram programs

Options:
  --to non|pdf|png  what to make (required)
  -o OUT            the file to write; for several schemes exported as png or non, a folder.
                    Without it each file goes beside its scheme, with the new extension
                    (a PDF of several schemes needs -o)
  --solution        (pdf) add a page with the picture for every scheme, after the worksheets
  --force           overwrite files that exist
  --help            this text

A scheme with errors is not exported: check it first. Nothing is written unless every file
can be. Exit status: 0 written, 1 a scheme has errors, 2 wrong command line, unreadable
scheme or a file in the way.
)";

void say(const std::string& text)
{
    std::fputs(text.c_str(), stdout);
}

void complain(const std::string& text)
{
    std::fprintf(stderr, "tessaria-schemi: %s\n", text.c_str());
}

int usage(const std::string& text, const char* command)
{
    complain(text);
    std::fprintf(stderr, "Try \"tessaria-schemi %s--help\".\n", command);
    return BadInput;
}

// The arguments of a command: options (with their value, if they take one) and the rest.
struct Arguments {
    std::map<std::string, std::string> options;
    std::vector<std::string> paths;
    std::string error;
};

Arguments parseArguments(const std::vector<std::string>& args, const std::vector<std::string>& flags,
    const std::vector<std::string>& valued)
{
    Arguments parsed;
    auto among = [](const std::vector<std::string>& list, const std::string& name) {
        return std::find(list.begin(), list.end(), name) != list.end();
    };
    bool onlyPaths = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (onlyPaths || arg.empty() || arg[0] != '-' || arg == "-") {
            parsed.paths.push_back(arg);
        } else if (arg == "--") {
            onlyPaths = true;
        } else if (among(flags, arg)) {
            parsed.options[arg] = "";
        } else if (among(valued, arg)) {
            if (i + 1 >= args.size()) {
                parsed.error = arg + " needs a value";
                return parsed;
            }
            parsed.options[arg] = args[++i];
        } else {
            parsed.error = "unknown option " + arg;
            return parsed;
        }
    }
    return parsed;
}

// The start every command shares: its help, or a usage error; nothing when it may go on.
std::optional<int> helpOrError(const Arguments& a, const char* help, const char* command)
{
    if (a.options.count("--help")) {
        say(help);
        return AllFine;
    }
    if (!a.error.empty())
        return usage(a.error, command);
    if (a.paths.empty())
        return usage(std::string(command) + "needs a file or folder to work on", command);
    return std::nullopt;
}

std::optional<long> number(const std::string& text, long low, long high)
{
    try {
        std::size_t used = 0;
        const long value = std::stol(text, &used);
        if (used == text.size() && value >= low && value <= high)
            return value;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

void printCheck(const CheckResult& result, bool json)
{
    say(json ? jsonReport(result) : textReport(result));
}

bool fine(const CheckResult& result)
{
    return !result.hasErrors() && !result.hasWarnings()
        && (result.verdict == Verdict::UniqueLine || result.verdict == Verdict::UniqueTrial);
}

int check(const std::vector<std::string>& args)
{
    const Arguments a = parseArguments(args, {"--json", "--help"}, {"--budget"});
    if (const auto status = helpOrError(a, CheckHelp, "check "))
        return *status;
    CheckOptions options;
    if (a.options.count("--budget")) {
        const auto budget = number(a.options.at("--budget"), 1, 1'000'000'000);
        if (!budget)
            return usage("--budget takes a whole number of steps from 1 to 1000000000", "check ");
        options.nodeBudget = *budget;
    }
    const bool json = a.options.count("--json") > 0;

    int status = AllFine;
    for (const std::string& path : a.paths) {
        const SchemePaths found = collectSchemes({path});
        if (!found.missing.empty()) {
            complain(path + ": no such file or folder");
            status = BadInput;
            continue;
        }
        for (const FolderProblem& problem : found.folders) {
            say(json ? jsonReport(problem) : textReport(problem));
            status = std::max(status, problem.problem.severity == Severity::Error ? BadInput : ProblemsFound);
        }
        if (found.files.empty() && !found.hasUnreadableFolder()) {
            complain(path + ": no scheme (a file whose name ends in .dis) in this folder");
            status = BadInput;
            continue;
        }
        for (const std::string& file : found.files) {
            const CheckResult result = checkFile(file, options);
            printCheck(result, json);
            if (result.unreadable)
                status = BadInput;
            else if (!fine(result) && status == AllFine)
                status = ProblemsFound;
        }
    }
    return status;
}

// Sends the standard error to /dev/null while it lives.
class QuietStandardError {
public:
    QuietStandardError()
        : saved_(::dup(STDERR_FILENO))
    {
        std::fflush(stderr);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (null >= 0) {
            ::dup2(null, STDERR_FILENO);
            ::close(null);
        }
    }
    ~QuietStandardError()
    {
        if (saved_ >= 0) {
            ::dup2(saved_, STDERR_FILENO);
            ::close(saved_);
        }
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int saved_;
};

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

int import(const std::vector<std::string>& args)
{
    const Arguments a = parseArguments(args, {"--fit", "--allow-not-unique", "--force", "--json", "--help"},
        {"-o", "--from", "--threshold"});
    if (const auto status = helpOrError(a, ImportHelp, "import "))
        return *status;
    if (a.paths.size() != 1)
        return usage("import takes one source", "import ");
    if (!a.options.count("-o"))
        return usage("import needs -o NAME.dis, the scheme to write", "import ");
    const std::string source = a.paths.front();
    const std::string target = a.options.at("-o");
    if (!endsWith(target, ".dis")
        || QFileInfo(QString::fromStdString(target)).fileName() == QStringLiteral(".dis"))
        return usage(target
                + ": the scheme's name must end in .dis (in small letters), or the scheme list will not load "
                  "it",
            "import ");

    ImportOptions options;
    if (a.options.count("--threshold")) {
        const auto threshold = number(a.options.at("--threshold"), 0, 256);
        if (!threshold)
            return usage("--threshold takes a grey level from 0 to 256", "import ");
        options.picture.threshold = int(*threshold);
    }
    options.picture.fit = a.options.count("--fit") > 0;
    options.allowNotUnique = a.options.count("--allow-not-unique") > 0;
    std::optional<SourceKind> kind
        = a.options.count("--from") ? sourceKindNamed(a.options.at("--from")) : sourceKindOf(source);
    if (a.options.count("--from") && !kind)
        return usage("--from takes non, picture or text", "import ");
    if (!kind)
        return usage(source
                + ": cannot tell the kind of source from its name: say it with --from non, picture or text",
            "import ");

    try {
        const Drawing drawing = [&] {
            // libpng writes its own line about a damaged picture straight to the standard error;
            // the message below says the same in the tool's words, and says it once.
            const QuietStandardError quiet;
            return importDrawing(source, *kind, options);
        }();
        const std::string text = drawing.schemeText();
        saveFiles(
            {{target, QByteArray(text.data(), qsizetype(text.size()))}}, a.options.count("--force") > 0);
    } catch (const InputError& error) {
        const std::string message = error.what();
        // Saving names its own file; the reading of the source does not.
        complain(message.rfind(target + ":", 0) == 0 ? message : source + ": " + message);
        return BadInput;
    }
    const CheckResult result = checkFile(target);
    printCheck(result, a.options.count("--json") > 0);
    return result.unreadable ? BadInput : fine(result) ? AllFine : ProblemsFound;
}

// Where the export of scheme goes: beside it, into the folder out, or to the file out.
std::string outputPath(const std::string& scheme, const std::string& out, const std::string& extension)
{
    const QFileInfo info(QString::fromStdString(scheme));
    const QString name = info.completeBaseName() + QLatin1Char('.') + QString::fromStdString(extension);
    if (out.empty())
        return (info.path() == QStringLiteral(".") ? name : info.dir().filePath(name)).toStdString();
    if (QFileInfo(QString::fromStdString(out)).isDir())
        return QDir(QString::fromStdString(out)).filePath(name).toStdString();
    return out;
}

int exportSchemes(const std::vector<std::string>& args)
{
    const Arguments a = parseArguments(args, {"--solution", "--force", "--help"}, {"--to", "-o"});
    if (const auto status = helpOrError(a, ExportHelp, "export "))
        return *status;
    if (!a.options.count("--to"))
        return usage("export needs --to non, pdf or png", "export ");
    const std::string to = a.options.at("--to");
    if (to != "non" && to != "pdf" && to != "png")
        return usage("--to takes non, pdf or png", "export ");
    const std::string out = a.options.count("-o") ? a.options.at("-o") : std::string();

    const SchemePaths found = collectSchemes(a.paths);
    for (const std::string& missing : found.missing)
        complain(missing + ": no such file or folder");
    for (const FolderProblem& problem : found.folders) {
        if (problem.problem.severity == Severity::Error)
            complain(problem.folder + ": " + problem.problem.message);
    }
    if (!found.missing.empty() || found.hasUnreadableFolder())
        return BadInput;
    if (found.files.empty())
        return usage("no scheme (a file whose name ends in .dis) among the paths given", "export ");
    const bool several = found.files.size() > 1;
    if (several && to == "pdf" && out.empty())
        return usage("several schemes make one PDF: name it with -o", "export ");
    if (several && to != "pdf" && !out.empty() && !QFileInfo(QString::fromStdString(out)).isDir())
        return usage(out + ": for several schemes -o must name an existing folder", "export ");

    std::vector<Sheet> sheets;
    int status = AllFine;
    for (const std::string& file : found.files) {
        const CheckResult result = checkFile(file);
        if (result.unreadable || result.hasErrors()) {
            say(textReport(result));
            complain(file
                + (result.unreadable ? ": cannot be read; nothing was written"
                                     : ": has errors; nothing was written (fix them first)"));
            status = result.unreadable ? BadInput : std::max(status, ProblemsFound);
            continue;
        }
        sheets.push_back({QFileInfo(QString::fromStdString(file)).completeBaseName().toStdString(),
            loadPuzzle(engine::readSchemeFile(file))});
    }
    if (status != AllFine)
        return status;

    std::vector<OutputFile> files;
    if (to == "pdf") {
        files.push_back({outputPath(found.files.front(), out, "pdf"),
            worksheetPdf(sheets, a.options.count("--solution") > 0)});
    } else {
        for (std::size_t i = 0; i < sheets.size(); ++i) {
            QByteArray bytes;
            if (to == "png") {
                bytes = picturePng(sheets[i].puzzle);
            } else {
                const std::string text = puzzleNon(sheets[i]);
                bytes = QByteArray(text.data(), qsizetype(text.size()));
            }
            files.push_back({outputPath(found.files[i], out, to), bytes});
        }
    }
    try {
        saveFiles(files, a.options.count("--force") > 0);
    } catch (const InputError& error) {
        complain(error.what());
        return BadInput;
    }
    for (const OutputFile& file : files)
        say("wrote " + file.path + "\n");
    return AllFine;
}

} // namespace

int main(int argc, char* argv[])
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        say(GeneralHelp);
        return args.empty() ? BadInput : AllFine;
    }
    const std::string command = args[0];
    args.erase(args.begin());
    if (command == "check")
        return check(args);

    // Pictures and worksheets need Qt's painting and fonts, never a window or a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // What goes wrong is said in the tool's own words; Qt's and libpng's diagnostics on the
    // way (a truncated picture, a missing runtime folder) would only add noise for a teacher.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QGuiApplication application(argc, argv);
    if (command == "import")
        return import(args);
    if (command == "export")
        return exportSchemes(args);
    return usage("unknown command \"" + command + "\"", "");
}
