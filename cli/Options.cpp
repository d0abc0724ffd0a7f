#include "Options.h"

#include "CommandLineError.h"
#include "MessageText.h"

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
        } else if (arg == "--widths" || arg.starts_with("--widths=")) {
            std::string name;
            if (arg == "--widths") {
                if (i + 1 >= args.size() || isOption(args[i + 1]))
                    throw usageError("option '--widths' needs computed or area-true");
                name = args[++i];
            } else {
                name = arg.substr(std::string_view("--widths=").size());
            }
            options.widthSet = widthSetNamed(name);
            if (!options.widthSet)
                throw usageError("--widths takes computed or area-true, not " + quoteForMessage(name));
        } else if (arg == "--dxf-polylines") {
            options.dxfPolylines = true;
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
    return options;
}

}  // namespace inlet
