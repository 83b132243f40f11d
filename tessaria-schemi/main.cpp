// SPDX-License-Identifier: GPL-3.0-or-later
// tessaria-schemi: the teacher's command to check schemes, import drawings from other
// formats and export schemes as worksheets, pictures and .non puzzles. A thin front end:
// arguments, messages and exit status; the work is done by the schemetools library.
#include "checker.h"
#include "importer.h"
#include "inifile.h"
#include "inputerror.h"
#include "report.h"
#include "savefile.h"
#include "worksheet.h"

#include "game.h"
#include "textfile.h"

#include <QCommandLineParser>
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

"tessaria-schemi help COMMAND" (or "COMMAND --help") tells more about each command;
"tessaria-schemi --version" gives the version.

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
                  line}], grade (easy, medium, hard) and gradeReason (why, in words) when it
                  has one picture, and second (the other picture) when it is not unique
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
                           blank for an empty one; when every other character of every line
                           is a blank ("1 0 1 1"), the blanks only separate the cells

Options:
  -o NAME.dis            the scheme to write (required; its name must end in .dis)
  --from non|picture|text  the kind of SOURCE, whatever its name
  --threshold LEVEL      pixels darker than this grey level (0-255, default 128) are picture cells
  --fit                  reduce a picture larger than 21 x 21 to fit the grid (area averaging)
  --allow-not-unique     import a .non without goal even when several pictures fit its clues
  --force                overwrite NAME.dis if it exists, and write it even when it has errors
  --json                 print the check of the new scheme as JSON
  --help                 this text

Nothing is written when SOURCE cannot be used (exit status 2), nor when the scheme would have
errors that keep a child from playing it (exit status 1; --force writes it all the same).
Otherwise the exit status is that of the check: 0 all fine, 1 problems found.
)";

constexpr const char* ExportHelp
    = R"(Usage: tessaria-schemi export SCHEME... --to non|pdf|png [-o OUT] [OPTIONS]

Exports schemes (files, or folders searched with their sub-folders):
  pdf   a worksheet to print: an A4 page per scheme with the grid and its clues as the window
        shows them, lines for name, class and date and one instruction for the child;
        several schemes make one PDF
  png   the finished picture
  non   the puzzle in the .non format with its goal, for other nonogram programs

Options:
  --to non|pdf|png  what to make (required)
  -o OUT            the file to write; for several schemes exported as png or non, a folder.
                    Without it each file goes into the current folder, named after its scheme
                    with the new extension, unless that folder holds schemes (then say -o);
                    a PDF of several schemes needs -o
  --title TEXT      the title of every page (numbered when there are several) and of a .non
  --no-title        no title. Without either, worksheets of several schemes are numbered 1,
                    2, ... and a single one has none (the name would give the picture away);
                    a .non is titled with the scheme's name
  --language NAME   (pdf) the worksheet's words from the game's language file NAME.lng
                    (default: Italian)
  --solution        (pdf) add a page with the picture for every scheme, after the worksheets,
                    titled with the scheme's name
  --force           overwrite files that exist
  --help            this text

A scheme with errors is not exported: check it first. Two schemes of one name exported into
one folder are refused. Nothing is written unless every file can be. Exit status: 0 written,
1 a scheme has errors, or was written but is not unique, undecided, or (non) has hidden cells
inside its picture that .non cannot say; 2 wrong command line, unreadable scheme or a file in
the way.
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

// The arguments of a command, read by QCommandLineParser: options (with their value, if they
// take one) and the rest, the paths. Only the command's own options are known: none of Qt's.
// The arguments are taken as Latin-1, one character per byte, so that a file name that is no
// valid UTF-8 comes back byte for byte.
class Arguments {
public:
    Arguments(const std::vector<std::string>& args, std::initializer_list<const char*> flags,
        std::initializer_list<const char*> valued)
    {
        // "-o" and "--json" alike are options of one word.
        parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        for (const char* flag : flags)
            parser_.addOption(QCommandLineOption(name(flag)));
        for (const char* option : valued)
            parser_.addOption(QCommandLineOption(name(option), QString(), QStringLiteral("VALUE")));
        QStringList list {QStringLiteral("tessaria-schemi")};
        for (const std::string& arg : args)
            list << QString::fromLatin1(arg.data(), qsizetype(arg.size()));
        if (!parser_.parse(list))
            error_ = errorOf(args, valued);
        for (const QString& path : parser_.positionalArguments())
            paths_.push_back(bytes(path));
    }

    bool has(const char* option) const { return parser_.isSet(name(option)); }
    // The last value given to a valued option.
    std::string value(const char* option) const { return bytes(parser_.value(name(option))); }
    const std::vector<std::string>& paths() const { return paths_; }
    // What is wrong with the command line, in the tool's words; empty when nothing.
    const std::string& error() const { return error_; }

private:
    // The option's name without its dashes, as the parser knows it.
    static QString name(const char* option)
    {
        while (*option == '-')
            ++option;
        return QString::fromLatin1(option);
    }
    static std::string bytes(const QString& text) { return text.toLatin1().toStdString(); }

    // An unknown option, named as it was written, or a valued option at the end without a value.
    std::string errorOf(const std::vector<std::string>& args, std::initializer_list<const char*> valued) const
    {
        const QStringList unknown = parser_.unknownOptionNames();
        if (!unknown.isEmpty()) {
            const std::string option = bytes(unknown.front());
            for (const std::string& arg : args) {
                if (arg == "--")
                    break;
                const std::string written = arg.substr(0, arg.find('='));
                if (written == "-" + option || written == "--" + option)
                    return "unknown option " + written;
            }
            return "unknown option --" + option;
        }
        for (const char* option : valued) {
            if (!args.empty() && args.back() == option)
                return std::string(option) + " needs a value";
        }
        return bytes(parser_.errorText());
    }

    QCommandLineParser parser_;
    std::vector<std::string> paths_;
    std::string error_;
};

// The start every command shares: its help, or a usage error; nothing when it may go on.
std::optional<int> helpOrError(const Arguments& a, const char* help, const char* command)
{
    if (a.has("--help")) {
        say(help);
        return AllFine;
    }
    if (!a.error().empty())
        return usage(a.error(), command);
    if (a.paths().empty())
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
    const Arguments a(args, {"--json", "--help"}, {"--budget"});
    if (const auto status = helpOrError(a, CheckHelp, "check "))
        return *status;
    CheckOptions options;
    if (a.has("--budget")) {
        const auto budget = number(a.value("--budget"), 1, 1'000'000'000);
        if (!budget)
            return usage("--budget takes a whole number of steps from 1 to 1000000000", "check ");
        options.nodeBudget = *budget;
    }
    const bool json = a.has("--json");

    int status = AllFine;
    for (const std::string& path : a.paths()) {
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
    const Arguments a(args, {"--fit", "--allow-not-unique", "--force", "--json", "--help"},
        {"-o", "--from", "--threshold"});
    if (const auto status = helpOrError(a, ImportHelp, "import "))
        return *status;
    if (a.paths().size() != 1)
        return usage("import takes one source", "import ");
    if (!a.has("-o"))
        return usage("import needs -o NAME.dis, the scheme to write", "import ");
    const std::string source = a.paths().front();
    const std::string target = a.value("-o");
    if (!endsWith(target, ".dis")
        || QFileInfo(QString::fromStdString(target)).fileName() == QStringLiteral(".dis"))
        return usage(target
                + ": the scheme's name must end in .dis (in small letters), or the scheme list will not load "
                  "it",
            "import ");

    ImportOptions options;
    if (a.has("--threshold")) {
        const auto threshold = number(a.value("--threshold"), 0, 255);
        if (!threshold)
            return usage("--threshold takes a grey level from 0 to 255", "import ");
        options.picture.threshold = int(*threshold);
    }
    options.picture.fit = a.has("--fit");
    options.allowNotUnique = a.has("--allow-not-unique");
    std::optional<SourceKind> kind
        = a.has("--from") ? sourceKindNamed(a.value("--from")) : sourceKindOf(source);
    if (a.has("--from") && !kind)
        return usage("--from takes non, picture or text", "import ");
    if (!kind)
        return usage(source
                + ": cannot tell the kind of source from its name: say it with --from non, picture or text",
            "import ");

    const bool force = a.has("--force");
    try {
        std::string hint;
        const Bitmap drawing = [&] {
            // libpng writes its own line about a damaged picture straight to the standard error;
            // the message below says the same in the tool's words, and says it once.
            const QuietStandardError quiet;
            return importBitmap(source, *kind, options, &hint);
        }();
        if (!hint.empty())
            complain(source + ": " + hint);
        const std::string text = drawing.schemeText();
        // The library returns a drawing with errors too (an editor shows them marked); the
        // command writes no scheme that a child cannot play unless it is told to.
        const CheckResult before = checkBytes(target, text);
        if (before.hasErrors() && !force) {
            printCheck(before, a.has("--json"));
            complain(target
                + ": not written: the scheme would have the errors above, so a child could not play it "
                  "(--force writes it all the same, for an editor to mend)");
            return ProblemsFound;
        }
        saveFiles({{target, QByteArray(text.data(), qsizetype(text.size()))}}, force);
    } catch (const InputError& error) {
        const std::string message = error.what();
        // Saving names its own file; the reading of the source does not.
        complain(message.rfind(target + ":", 0) == 0 ? message : source + ": " + message);
        return BadInput;
    }
    const CheckResult result = checkFile(target);
    printCheck(result, a.has("--json"));
    return result.unreadable ? BadInput : fine(result) ? AllFine : ProblemsFound;
}

// Where the export of scheme goes: into the current folder, into the folder out, or to the
// file out.
std::string outputPath(const std::string& scheme, const std::string& out, const std::string& extension)
{
    const QFileInfo info(QString::fromStdString(scheme));
    const QString name = info.completeBaseName() + QLatin1Char('.') + QString::fromStdString(extension);
    if (out.empty())
        return name.toStdString();
    if (QFileInfo(QString::fromStdString(out)).isDir())
        return QDir(QString::fromStdString(out)).filePath(name).toStdString();
    return out;
}

// A folder that holds schemes: the game's list would show anything written there among them.
bool holdsSchemes(const QString& folder)
{
    // Name filters match without regard to letter case, as the scheme list does.
    return !QDir(folder).entryList({QStringLiteral("*.dis")}, QDir::Files).isEmpty();
}

// The scheme's name as the window shows it: its file name without ".dis", UTF-8 or, when the
// bytes are not, Windows-1252.
std::string schemeName(const std::string& file)
{
    std::string base = file.substr(file.find_last_of('/') + 1);
    const std::size_t dot = base.rfind('.');
    if (dot != std::string::npos && dot > 0)
        base.erase(dot);
    return lang::decodeText(QByteArray(base.data(), qsizetype(base.size()))).toStdString();
}

// The worksheet's words in the language file name.lng beside the program, as the game finds
// it; nothing when there is no such file.
std::optional<WorksheetWords> worksheetWords(const std::string& name)
{
    const QString path = QCoreApplication::applicationDirPath() + QLatin1Char('/')
        + QString::fromLocal8Bit(name.data(), qsizetype(name.size())).toLower() + QStringLiteral(".lng");
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    const lang::IniFile file(path);
    return schemetools::worksheetWords([&file](const char* key) {
        return file.value(u"Translations", QString::fromLatin1(key)).toStdString();
    });
}

// What a sheet is titled: with --title its text, with --no-title nothing; otherwise the
// scheme's name in a .non, and on worksheets, where the name would give the picture away, the
// sheet's number when there are several. Several sheets of one --title are numbered too.
std::string sheetTitle(
    const Arguments& a, const std::string& to, const std::string& name, std::size_t index, std::size_t count)
{
    const std::string number = count > 1 ? std::to_string(index + 1) : std::string();
    if (a.has("--no-title"))
        return {};
    if (a.has("--title"))
        return a.value("--title") + (number.empty() ? "" : " " + number);
    return to == "non" ? name : number;
}

int exportSchemes(const std::vector<std::string>& args)
{
    const Arguments a(
        args, {"--solution", "--force", "--no-title", "--help"}, {"--to", "-o", "--title", "--language"});
    if (const auto status = helpOrError(a, ExportHelp, "export "))
        return *status;
    if (!a.has("--to"))
        return usage("export needs --to non, pdf or png", "export ");
    const std::string to = a.value("--to");
    if (to != "non" && to != "pdf" && to != "png")
        return usage("--to takes non, pdf or png", "export ");
    if (a.has("--title") && a.has("--no-title"))
        return usage("--title and --no-title exclude each other", "export ");
    const std::string out = a.has("-o") ? a.value("-o") : std::string();
    WorksheetWords words;
    if (a.has("--language")) {
        const auto read = worksheetWords(a.value("--language"));
        if (!read)
            return usage("--language " + a.value("--language")
                    + ": no such language file beside the program (italiano, english, deutsch, français, "
                      "español, ...)",
                "export ");
        words = *read;
    }

    const SchemePaths found = collectSchemes(a.paths());
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
    if (out.empty() && holdsSchemes(QStringLiteral("."))) {
        complain("the current folder holds schemes, and the game's list would show the new file among "
                 "them: say where to write with -o");
        return BadInput;
    }

    std::vector<Sheet> sheets;
    std::vector<CheckResult> checks;
    int status = AllFine;
    for (const std::string& file : found.files) {
        CheckResult result = checkFile(file);
        if (result.unreadable || result.hasErrors()) {
            say(textReport(result));
            complain(file
                + (result.unreadable ? ": cannot be read; nothing was written"
                                     : ": has errors; nothing was written (fix them first)"));
            status = result.unreadable ? BadInput : std::max(status, ProblemsFound);
            continue;
        }
        const std::string name = schemeName(file);
        sheets.push_back({sheetTitle(a, to, name, sheets.size(), found.files.size()),
            loadPuzzle(engine::readSchemeFile(file)), name});
        checks.push_back(std::move(result));
    }
    if (status != AllFine)
        return status;

    std::vector<OutputFile> files;
    if (to == "pdf") {
        files.push_back(
            {outputPath(found.files.front(), out, "pdf"), worksheetPdf(sheets, a.has("--solution"), words)});
    } else {
        // Two schemes of one name would make one file: the run is refused rather than have one
        // overwrite the other or get a name the teacher did not choose.
        std::map<QString, std::string> written; // the file, by its clean absolute path -> its scheme
        for (std::size_t i = 0; i < sheets.size(); ++i) {
            const std::string path = outputPath(found.files[i], out, to);
            const auto [it, added] = written.emplace(
                QDir::cleanPath(QFileInfo(QString::fromStdString(path)).absoluteFilePath()), found.files[i]);
            if (!added) {
                complain(path + ": would be written for both " + it->second + " and " + found.files[i]
                    + "; nothing was written (rename one of them, or export them apart)");
                return BadInput;
            }
            QByteArray bytes;
            if (to == "png") {
                bytes = picturePng(sheets[i].puzzle);
            } else {
                const std::string text = puzzleNon(sheets[i]);
                bytes = QByteArray(text.data(), qsizetype(text.size()));
            }
            files.push_back({path, bytes});
        }
    }
    try {
        saveFiles(files, a.has("--force"));
    } catch (const InputError& error) {
        complain(error.what());
        return BadInput;
    }
    for (const OutputFile& file : files)
        say("wrote " + file.path + "\n");

    // What was written is not quite the puzzle a teacher may think it is: said, and status 1.
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const std::string& file = found.files[i];
        if (checks[i].verdict == Verdict::NotUnique) {
            complain(file
                + ": not unique: another picture fits the same clues; written all the same (check shows the "
                  "other picture)");
            status = ProblemsFound;
        } else if (checks[i].verdict == Verdict::Undecided) {
            complain(file
                + ": undecided: the search stopped before it could tell whether another picture fits; "
                  "written "
                  "all the same (check --budget searches longer)");
            status = ProblemsFound;
        }
        const int hidden = to == "non" ? hiddenCellsInside(sheets[i].puzzle) : 0;
        if (hidden > 0) {
            complain(file + ": " + std::to_string(hidden)
                + (hidden == 1
                        ? " hidden cell inside the picture cannot be said in .non, where it becomes a cell"
                        : " hidden cells inside the picture cannot be said in .non, where they become cells")
                + " to work out: the puzzle is not the one the window shows");
            status = ProblemsFound;
        }
    }
    return status;
}

} // namespace

int main(int argc, char* argv[])
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "help") {
        // "help COMMAND" is "COMMAND --help".
        args = {args[1], "--help"};
    } else if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        say(GeneralHelp);
        return args.empty() ? BadInput : AllFine;
    }
    if (args[0] == "--version") {
        say("tessaria-schemi " TESSARIA_VERSION "\n");
        return AllFine;
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
