#include "cli/Options.h"

#include "cli/CommandLineError.h"
#include "export/ExportRegistry.h"
#include "modules/Features.h"
#include "export/FileWriters.h"
#include "cli/FlowStudy.h"
#include "cli/MeshStudyCommand.h"
#include "openfoam/ProcessCount.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace inlet {

namespace {

CommandLineError usageError(Failure::Kind kind, std::string item = {}, std::string other = {})
{
    return {CommandLineError::kUsage, Failure{.kind = kind, .item = std::move(item), .other = std::move(other)}};
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
    CommandLineError refused = usageError(Failure::Kind::OptionNeedsWholeNumber, arg);
    refused.failure.number = low;
    refused.failure.limit = high;
    if (i + 1 >= args.size())
        throw refused;
    const std::string& text = args[++i];
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || value < low || value > high) {
        refused.failure.kind = Failure::Kind::OptionNotAWholeNumber;
        refused.failure.other = text;
        throw refused;
    }
    return value;
}

std::optional<std::size_t> inputIndex(std::string_view name)
{
    const auto& inputs = settableBoxes();
    for (std::size_t i = 0; i < inputs.size(); ++i)
        if (boxInfo(inputs[i]).symbol == name)
            return i;
    return std::nullopt;
}

// The format whose file option is --KEY, or whose choice is --KEY.
const ExportFormat* formatWritten(std::string_view option)
{
    return calcFormats().byKey(QString::fromUtf8(option.data(), qsizetype(option.size())));
}

const ExportOption* choiceNamed(std::string_view option, const ExportFormat** of)
{
    const QString key = QString::fromUtf8(option.data(), qsizetype(option.size()));
    for (const ExportFormat* format : calcFormats().formats()) {
        for (const ExportOption& choice : format->options) {
            if (choice.key == key) {
                *of = format;
                return &choice;
            }
        }
    }
    return nullptr;
}

// A length in millimetres as an option gives it: a plain number, zero or more.
[[maybe_unused]] bool millimetres(const std::string& text)
{
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    return !text.empty() && end == text.c_str() + text.size() && std::isfinite(value) && value >= 0;
}

}  // namespace

const ExportRegistry& calcFormats()
{
    static const ExportRegistry registry = [] {
        ExportRegistry formats = ExportRegistry::described();
        addFileWriters(formats);
        return formats;
    }();
    return registry;
}

std::optional<Box> inputNamed(std::string_view name)
{
    const auto index = inputIndex(name);
    if (!index)
        return std::nullopt;
    return settableBoxes()[*index];
}

Options parseOptions(const std::vector<std::string>& args)
{
    Options options;
    bool flowOptionsGiven = false;
    std::string flowSettingGiven;
    bool meshGiven = false;
    std::string caseInputGiven;  // --roughness or --hub-diameter: the passage's flow case only
    std::string flowOnlySettingGiven;  // a flow setting a study does not take (not --force, --local)
    StudyOptions study;
    std::string studySettingGiven;  // --vary, --samples ...: with --study only
    bool studyGiven = false;
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
        } else if (arg == "--open" || arg == "--save" || (arg.starts_with("--") && formatWritten(arg.substr(2)))) {
            if (i + 1 >= args.size() || isOption(args[i + 1]))
                throw usageError(Failure::Kind::OptionNeedsFile, arg);
            // Standard output carries the results: every file goes to a file.
            if (arg != "--open" && args[i + 1] == "-")
                throw usageError(Failure::Kind::NoStandardOutput, arg);
            if (arg == "--open")
                options.openFile = args[++i];
            else if (arg == "--save")
                options.saveFile = args[++i];
            else
                options.exports.emplace_back(arg.substr(2), args[++i]);
        } else if (arg == "--widths" || arg.starts_with("--widths=")) {
            std::string name;
            if (arg == "--widths") {
                if (i + 1 >= args.size() || isOption(args[i + 1]))
                    throw usageError(Failure::Kind::OptionNeedsOneOf, "--widths", "computed, area-true");
                name = args[++i];
            } else {
                name = arg.substr(std::string_view("--widths=").size());
            }
            options.widthSet = widthSetNamed(name);
            if (!options.widthSet) {
                CommandLineError e = usageError(Failure::Kind::OptionTakesOneOf, "--widths", "computed, area-true");
                e.failure.detail = name;
                throw e;
            }
        } else if (const ExportFormat* of = nullptr; arg.starts_with("--") && choiceNamed(arg.substr(2), &of)) {
            const ExportOption& choice = *choiceNamed(arg.substr(2), &of);
            std::string value = "yes";
            if (!choice.values.isEmpty()) {
                if (i + 1 >= args.size() || isOption(args[i + 1]))
                    throw usageError(Failure::Kind::OptionNeedsOneOf, arg, choice.values.join(", ").toStdString());
                value = args[++i];
                if (!choice.values.contains(QString::fromStdString(value))) {
                    CommandLineError e = usageError(Failure::Kind::OptionTakesOneOf, arg, choice.values.join(", ").toStdString());
                    e.failure.detail = value;
                    throw e;
                }
            }
            options.choices[arg.substr(2)] = value;
        } else if (features::solid() && (arg == "--length" || arg == "--outlet-extension")) {
            if (i + 1 >= args.size())
                throw usageError(Failure::Kind::OptionNeedsLength, arg);
            const std::string& text = args[++i];
            if (!millimetres(text))
                throw usageError(Failure::Kind::OptionNotALength, arg, text);
            (arg == "--length" ? options.passageLength : options.outletExtension) = text;
        } else if (features::solid() && (arg == "--roughness" || arg == "--hub-diameter")) {
            if (i + 1 >= args.size())
                throw usageError(Failure::Kind::OptionNeedsLength, arg);
            const std::string& text = args[++i];
            if (!millimetres(text))
                throw usageError(Failure::Kind::OptionNotALength, arg, text);
            if (arg == "--roughness")
                options.flow.roughness = std::stod(text);
            else if (std::stod(text) > 0)  // 0: none, as without the option
                options.flow.hubDiameter = std::stod(text);
            caseInputGiven = arg;
        } else if (arg == "--cfd" || arg == "--cfd-study" || arg == "--cfd-validate" || arg == "--mesh-study") {
            if (i + 1 >= args.size() || isOption(args[i + 1]) || args[i + 1].empty())
                throw usageError(Failure::Kind::OptionNeedsFolder, arg);
            if (options.flowTask != Options::FlowTask::None)
                throw usageError(Failure::Kind::OnlyOneOf, {}, "--cfd, --cfd-study, --cfd-validate, --mesh-study");
            options.flowTask = arg == "--cfd"            ? Options::FlowTask::Design
                               : arg == "--cfd-study"    ? Options::FlowTask::Study
                               : arg == "--mesh-study"   ? Options::FlowTask::MeshStudy
                                                         : Options::FlowTask::Pipe;
            // --cfd-validate names its case before the folder (pipe or step); a lone word is
            // the folder, as it always was.
            if (arg == "--cfd-validate" && (args[i + 1] == "pipe" || args[i + 1] == "step") && i + 2 < args.size()
                && !isOption(args[i + 2]) && !args[i + 2].empty())
                options.flowTask = args[++i] == "step" ? Options::FlowTask::Step : Options::FlowTask::Pipe;
            options.flow.dir = args[++i];
            flowOptionsGiven = true;
        } else if (arg == "--study") {
            if (i + 1 >= args.size() || isOption(args[i + 1]) || args[i + 1].empty())
                throw usageError(Failure::Kind::OptionNeedsFolder, arg);
            study.dir = args[++i];
            studyGiven = true;
        } else if (arg == "--vary" || arg == "--require") {
            if (i + 1 >= args.size() || isOption(args[i + 1]))
                throw usageError(Failure::Kind::OptionNeedsText, arg);
            (arg == "--vary" ? study.vary : study.require).push_back(args[++i]);
            studySettingGiven = arg;
        } else if (arg == "--samples") {
            study.samples = countOption(args, i, 1, 1'000'000);
            studySettingGiven = arg;
        } else if (arg == "--seed") {
            study.seed = std::uint64_t(countOption(args, i, 0, 2'147'483'647));
            studySettingGiven = arg;
        } else if (arg == "--progress") {
            study.progress = true;
            studySettingGiven = arg;
        } else if (arg == "--evaluate" || arg == "--optimise") {
            const bool evaluate = arg == "--evaluate";
            std::string values = evaluate ? "checks" : "min-B";
#ifdef INLET_HAVE_SOLID
            values += evaluate ? ", solid, flow" : ", min-volume, min-loss, max-vu, max-theta";
#endif
            if (i + 1 >= args.size() || isOption(args[i + 1]))
                throw usageError(Failure::Kind::OptionNeedsOneOf, arg, values);
            const std::string& value = args[++i];
            if (values.find(value) == std::string::npos || value.find(',') != std::string::npos || value.empty()) {
                CommandLineError e = usageError(Failure::Kind::OptionTakesOneOf, arg, values);
                e.failure.detail = value;
                throw e;
            }
            if (evaluate) {
                study.solid = value == "solid";
                study.flow = value == "flow";
            } else {
                study.optimise = value == "min-B"      ? "B"
                                 : value == "min-volume" ? "volume"
                                 : value == "min-loss"   ? "loss"
                                 : value == "max-vu"     ? "vu"
                                                         : "theta";
            }
            studySettingGiven = arg;
        } else if (arg == "--slurm") {
            study.slurm = true;
            studySettingGiven = arg;
        } else if (arg == "--run" || arg == "--force" || arg == "--local") {
            (arg == "--run" ? options.flow.run : arg == "--force" ? options.flow.force : options.flow.local) = true;
            flowSettingGiven = arg;
            if (arg == "--run")
                flowOnlySettingGiven = arg;
        } else if (arg == "--np") {
            options.flow.processes = countOption(args, i, 1, 1024);
            flowSettingGiven = flowOnlySettingGiven = arg;
        } else if (arg == "--cells") {
            options.flow.cells = countOption(args, i, 1000, 100'000'000);
            flowSettingGiven = flowOnlySettingGiven = arg;
        } else if (arg == "--iterations") {
            options.flow.iterations = countOption(args, i, 1, 1'000'000);
            flowSettingGiven = flowOnlySettingGiven = arg;
        } else if (arg == "--mesh") {
            if (i + 1 >= args.size() || !cfd::parseLevel(args[i + 1], options.flow.level))
                throw usageError(Failure::Kind::OptionNeedsOneOf, "--mesh", "coarse, medium, fine, tiny");
            ++i;
            flowSettingGiven = flowOnlySettingGiven = arg;
            meshGiven = true;
        } else if (arg == "--csv") {
            options.csv = true;
            if (i + 1 < args.size() && !isOption(args[i + 1]))
                options.csvFile = args[++i];
        } else if (arg.starts_with("--")) {
            const std::size_t equals = arg.find('=');
            const std::string name = arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
            const auto index = inputIndex(name);
            if (!index)
                throw usageError(Failure::Kind::UnknownOption, arg);
            if (equals != std::string::npos) {
                options.texts[*index] = arg.substr(equals + 1);
            } else {
                if (i + 1 >= args.size())
                    throw usageError(Failure::Kind::OptionNeedsText, arg);
                const std::string& text = args[++i];
                if (isOption(text))
                    throw usageError(Failure::Kind::OptionNeedsTextNotOption, arg, text);
                options.texts[*index] = text;
            }
        } else {
            throw usageError(Failure::Kind::UnexpectedArgument, arg);
        }
    }
    if (options.json && options.csv)
        throw usageError(Failure::Kind::OptionsExclusive, "--json", "--csv");
    if (!studySettingGiven.empty() && !studyGiven)
        throw usageError(Failure::Kind::OptionNeedsOption, studySettingGiven, "--study DIR");
    if (studyGiven) {
        // A study is its own command: it writes its folder, and each variant's files there.
        std::string other = options.csv ? "--csv" : options.json ? "--json" : options.saveFile ? "--save" : "";
        if (other.empty() && !options.exports.empty())
            other = "--" + options.exports.front().first;
        if (other.empty() && options.flowTask != Options::FlowTask::None)
            other = "--cfd";
        // The flow's depth takes the flow's mesh and solver settings; --run is its own.
        if (other.empty() && options.flow.run)
            other = "--run";
        if (other.empty() && !flowOnlySettingGiven.empty() && !study.flow)
            other = flowOnlySettingGiven;
        if (!other.empty())
            throw usageError(Failure::Kind::OptionsExclusive, other, "--study");
        if (study.vary.empty())
            throw usageError(Failure::Kind::OptionNeedsOption, "--study DIR", "--vary NAME=FROM:TO:COUNT");
        if (study.optimise == "volume" && !study.solid)
            throw usageError(Failure::Kind::OptionNeedsOption, "--optimise min-volume", "--evaluate solid");
        if (study.optimise && (*study.optimise == "loss" || *study.optimise == "vu" || *study.optimise == "theta")
            && !study.flow)
            throw usageError(Failure::Kind::OptionNeedsOption, std::string("--optimise ")
                                 + (*study.optimise == "loss" ? "min-loss" : *study.optimise == "vu" ? "max-vu" : "max-theta"),
                             "--evaluate flow");
        if (study.slurm && !study.flow)
            throw usageError(Failure::Kind::OptionNeedsOption, "--slurm", "--evaluate flow");
        if (study.slurm && options.flow.local)
            throw usageError(Failure::Kind::OptionsExclusive, "--local", "--slurm");
        if (!study.require.empty() && !study.optimise)
            throw usageError(Failure::Kind::OptionNeedsOption, "--require", "--optimise");
        study.force = options.flow.force;
        study.flowOptions = options.flow;
        if (options.passageLength)
            study.passageLength = std::stod(*options.passageLength);
        study.flowOptions.passageLength = study.passageLength;
        checkStudyOptions(study);
        options.study = study;
        flowSettingGiven.clear();  // --force, --local: the study's
    }
    if (options.saveFile && options.csv)
        throw usageError(Failure::Kind::OptionNotInBatch, "--save");
    for (const auto& [key, file] : options.exports) {
        const ExportFormat& format = *formatWritten(key);
        // A batch is written as one workbook; no other file describes a batch.
        if (options.csv && (format.kind != ExportKind::Workbook || options.flowTask == Options::FlowTask::Study))
            throw usageError(Failure::Kind::OptionNotInBatch, "--" + key);
    }
    const bool solidWritten = std::any_of(options.exports.begin(), options.exports.end(),
                                          [](const auto& e) { return e.first == "step" || e.first == "stl"; });
    // The flow's case is built on the passage's solid, so the passage length and the outlet
    // extension go with it too (the flow's outlet is otherwise cfd::kOutletExtension pump inlet
    // diameters up); the walls' roughness and the hub are the flow case's alone.
    const bool passageModelled = options.flowTask == Options::FlowTask::Design || options.flowTask == Options::FlowTask::Study
                                 || options.flowTask == Options::FlowTask::MeshStudy;
    if (options.passageLength && !solidWritten && !passageModelled && !(studyGiven && (study.solid || study.flow)))
        throw usageError(Failure::Kind::OptionNeedsOption, "--length", "--step FILE, --stl FILE, --cfd DIR, --cfd-study DIR");
    if (options.outletExtension && !solidWritten && !passageModelled)
        throw usageError(Failure::Kind::OptionNeedsOption, "--outlet-extension",
                         "--step FILE, --stl FILE, --cfd DIR, --cfd-study DIR");
    if (!caseInputGiven.empty() && !passageModelled)
        throw usageError(Failure::Kind::OptionNeedsOption, caseInputGiven, "--cfd DIR, --cfd-study DIR");
    if (options.passageLength)
        options.flow.passageLength = std::stod(*options.passageLength);
    if (options.outletExtension && passageModelled)
        options.flow.outletExtension = std::stod(*options.outletExtension);
    for (const auto& [key, value] : options.choices) {
        const ExportFormat* of = nullptr;
        choiceNamed(key, &of);
        const std::string owner = of->key.toStdString();
        const bool given = std::any_of(options.exports.begin(), options.exports.end(),
                                       [&](const auto& e) { return e.first == owner; });
        if (!given)
            throw usageError(Failure::Kind::OptionNeedsOption, "--" + key, "--" + owner + " FILE");
    }
    if (!flowSettingGiven.empty() && !flowOptionsGiven)
        throw usageError(Failure::Kind::OptionNeedsOption, flowSettingGiven,
                         "--cfd DIR, --cfd-study DIR, --cfd-validate DIR, --mesh-study DIR");
    if (options.flowTask == Options::FlowTask::Design && options.csv)
        throw usageError(Failure::Kind::OptionOfOneDesign, "--cfd", "--cfd-study DIR");
    if (options.flowTask == Options::FlowTask::MeshStudy)
        checkMeshStudyOptions(options, meshGiven);
    if (options.flowTask == Options::FlowTask::Study && !options.csv)
        throw usageError(Failure::Kind::OptionNeedsOption, "--cfd-study DIR", "--csv FILE");
    // The validation cases are no design: a design's options and files would be ignored.
    if (options.flowTask == Options::FlowTask::Pipe || options.flowTask == Options::FlowTask::Step) {
        std::string ignored = options.openFile ? "--open" : options.saveFile ? "--save" : options.csv ? "--csv" : "";
        if (ignored.empty() && !options.exports.empty())
            ignored = "--" + options.exports.front().first;
        if (ignored.empty() && (options.checks || options.widthSet))
            ignored = options.checks ? "--checks" : "--widths";
        for (std::size_t i = 0; ignored.empty() && i < options.texts.size(); ++i)
            if (options.texts[i])
                ignored = "--" + std::string(boxInfo(settableBoxes()[i]).symbol);
        if (!ignored.empty())
            throw usageError(Failure::Kind::OptionsExclusive, ignored, "--cfd-validate");
    }
    // No more processes than the mesh's cells allow and, where the cases run here, the cores;
    // a study through Slurm runs on the nodes, where each job checks its own. The mesh made is
    // checked again before the decomposition.
    const bool flowStudy = options.study && options.study->flow;  // a study of variants' flow
    if (options.flowTask != Options::FlowTask::None || flowStudy) {
        const int asked = options.flow.processes;
        const int cells = cellsFor(options.flow);  // a mesh study's finest; its coarser meshes take fewer
        if ((options.flowTask == Options::FlowTask::Study || flowStudy)
            && ((flowStudy && options.study->slurm) || studyThroughSlurm(options.flow))) {
            if (asked > cfd::largestProcessCount(asked, cells))
                throw CommandLineError{CommandLineError::kUsage, cfd::tooManyProcessesForCells(asked, cells)};
        } else if (asked > cfd::largestProcessCount(cfd::coresPresent(), cells)) {
            throw CommandLineError{CommandLineError::kUsage, cfd::tooManyProcesses(asked, cfd::coresPresent(), cells)};
        }
    }
    return options;
}

}  // namespace inlet
