#include "Options.h"

#include "CommandLineError.h"
#include "MessageText.h"

#include <cmath>
#include <cstdlib>

namespace inlet {

namespace {

CommandLineError usageError(std::string message)
{
    return {CommandLineError::kUsage, std::move(message)};
}

// "--json", "--hk=5", "-h": arguments that cannot be an option's TEXT or the CSV file's name
// ("-5" can, "-" too: standard input).
bool isOption(std::string_view arg)
{
    return arg.starts_with("--") || arg == "-h";
}

std::optional<std::size_t> inputIndex(std::string_view name)
{
    const auto& inputs = inputBoxes();
    for (std::size_t i = 0; i < inputs.size(); ++i)
        if (boxInfo(inputs[i]).symbol == name)
            return i;
    return std::nullopt;
}

// A length in millimetres given with an option: a plain number, zero or more.
[[maybe_unused]] double millimetres(const std::string& option, const std::string& text)
{
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(value) || value < 0)
        throw usageError("option " + quoteForMessage(option) + " needs a length in mm, not " + quoteForMessage(text));
    return value;
}

}  // namespace

std::optional<Box> inputNamed(std::string_view name)
{
    const auto index = inputIndex(name);
    if (!index)
        return std::nullopt;
    return inputBoxes()[*index];
}

Options parseOptions(const std::vector<std::string>& args)
{
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--checks") {
            options.checks = true;
        } else if (arg == "--open" || arg == "--save" || arg == "--dxf") {
            if (i + 1 >= args.size() || isOption(args[i + 1]))
                throw usageError("option " + quoteForMessage(arg) + " needs a FILE");
            (arg == "--open" ? options.openFile : arg == "--save" ? options.saveFile : options.dxfFile) = args[++i];
        } else if (arg == "--dxf-polylines") {
            options.dxfPolylines = true;
#ifdef INLET_HAVE_SOLID
        } else if (arg == "--step" || arg == "--stl") {
            if (i + 1 >= args.size() || isOption(args[i + 1]))
                throw usageError("option " + quoteForMessage(arg) + " needs a FILE");
            (arg == "--step" ? options.stepFile : options.stlFile) = args[++i];
        } else if (arg == "--step-walls") {
            options.stepWalls = true;
        } else if (arg == "--stl-binary") {
            options.stlBinary = true;
        } else if (arg == "--stl-metres") {
            options.stlMetres = true;
        } else if (arg == "--length" || arg == "--outlet-extension") {
            if (i + 1 >= args.size())
                throw usageError("option " + quoteForMessage(arg) + " needs a length in mm");
            const double mm = millimetres(arg, args[++i]);
            if (arg == "--length")
                options.passageLength = mm;
            else
                options.outletExtension = mm;
#endif
        } else if (arg == "--csv") {
            options.csv = true;
            if (i + 1 < args.size() && !isOption(args[i + 1]))
                options.csvFile = args[++i];
        } else if (arg.starts_with("--")) {
            const std::size_t equals = arg.find('=');
            const std::string name = arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
            const auto index = inputIndex(name);
            if (!index)
                throw usageError("unknown option " + quoteForMessage(arg));
            if (equals != std::string::npos) {
                options.texts[*index] = arg.substr(equals + 1);
            } else {
                if (i + 1 >= args.size())
                    throw usageError("option " + quoteForMessage(arg) + " needs a TEXT");
                const std::string& text = args[++i];
                if (isOption(text))
                    throw usageError("option " + quoteForMessage(arg) + " needs a TEXT, not the option " + quoteForMessage(text)
                                     + " (write " + quoteForMessage(arg + "=" + text) + " to give that text)");
                options.texts[*index] = text;
            }
        } else {
            throw usageError("unexpected argument " + quoteForMessage(arg));
        }
    }
    if (options.json && options.csv)
        throw usageError("--json and --csv cannot be combined");
    if ((options.saveFile || options.dxfFile) && options.csv)
        throw usageError(std::string(options.saveFile ? "--save" : "--dxf")
                         + " and --csv cannot be combined: a batch is many designs");
    if (options.dxfPolylines && !options.dxfFile)
        throw usageError("--dxf-polylines goes with --dxf FILE");
    if ((options.stepFile || options.stlFile) && options.csv)
        throw usageError(std::string(options.stepFile ? "--step" : "--stl")
                         + " and --csv cannot be combined: a batch is many designs");
    if (options.stepWalls && !options.stepFile)
        throw usageError("--step-walls goes with --step FILE");
    if ((options.stlBinary || options.stlMetres) && !options.stlFile)
        throw usageError(std::string(options.stlBinary ? "--stl-binary" : "--stl-metres") + " goes with --stl FILE");
    return options;
}

}  // namespace inlet
