#include "Options.h"

#include "CommandLineError.h"
#include "MessageText.h"

#include <charconv>

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

// A whole number from `low` to `high` as an option's value.
int countOption(const std::vector<std::string>& args, std::size_t& i, int low, int high)
{
    const std::string& arg = args[i];
    if (i + 1 >= args.size())
        throw usageError("option " + quoteForMessage(arg) + " needs a number");
    const std::string& text = args[++i];
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || value < low || value > high)
        throw usageError("option " + quoteForMessage(arg) + " needs a whole number from " + std::to_string(low) + " to "
                         + std::to_string(high) + ", not " + quoteForMessage(text));
    return value;
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
    bool flowOptionsGiven = false;
    std::string flowSettingGiven;
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
        } else if (arg == "--cfd" || arg == "--cfd-study" || arg == "--cfd-validate") {
            if (i + 1 >= args.size() || isOption(args[i + 1]))
                throw usageError("option " + quoteForMessage(arg) + " needs a folder");
            if (options.flowTask != Options::FlowTask::None)
                throw usageError("give one of --cfd, --cfd-study and --cfd-validate");
            options.flowTask = arg == "--cfd"         ? Options::FlowTask::Design
                               : arg == "--cfd-study" ? Options::FlowTask::Study
                                                      : Options::FlowTask::Pipe;
            options.flow.dir = args[++i];
            flowOptionsGiven = true;
        } else if (arg == "--run" || arg == "--force" || arg == "--local") {
            (arg == "--run" ? options.flow.run : arg == "--force" ? options.flow.force : options.flow.local) = true;
            flowSettingGiven = arg;
        } else if (arg == "--np") {
            options.flow.processes = countOption(args, i, 1, 1024);
            flowSettingGiven = arg;
        } else if (arg == "--cells") {
            options.flow.cells = countOption(args, i, 1000, 100'000'000);
            flowSettingGiven = arg;
        } else if (arg == "--iterations") {
            options.flow.iterations = countOption(args, i, 1, 1'000'000);
            flowSettingGiven = arg;
        } else if (arg == "--mesh") {
            if (i + 1 >= args.size() || !cfd::parseLevel(args[i + 1], options.flow.level))
                throw usageError("option --mesh needs one of coarse, medium, fine (or tiny, for trying the pipeline)");
            ++i;
            flowSettingGiven = arg;
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
    if (!flowSettingGiven.empty() && !flowOptionsGiven)
        throw usageError(flowSettingGiven + " goes with --cfd DIR, --cfd-study DIR or --cfd-validate DIR");
    if (options.flowTask == Options::FlowTask::Design && options.csv)
        throw usageError("--cfd is one design; a batch of designs takes --cfd-study DIR");
    if (options.flowTask == Options::FlowTask::Study && !options.csv)
        throw usageError("--cfd-study DIR goes with --csv FILE: a study is one case per design of the batch");
    if (options.dxfPolylines && !options.dxfFile)
        throw usageError("--dxf-polylines goes with --dxf FILE");
    return options;
}

}  // namespace inlet
