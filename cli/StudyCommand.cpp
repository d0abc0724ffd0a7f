#include "cli/StudyCommand.h"

#include "boxes/BoxTexts.h"
#include "cli/CheckText.h"
#include "cli/CheckedOutput.h"
#include "cli/CommandLineError.h"
#include "cli/FlowStudyVariants.h"
#include "cli/StudyProgress.h"
#include "cli/StudySummary.h"
#include "cli/VariantFiles.h"
#include "drawing/Figures.h"
#include "InletFeatures.h"
#include "study/ParallelFor.h"
#include "study/Requirement.h"
#include "files/SaveFile.h"
#include "study/StudyOptimiser.h"
#include "study/StudyPlan.h"
#include "study/UnheldConstraints.h"
#include "study/VariantEvaluation.h"
#include "study/VariedInput.h"
#if INLET_HAS_XLSX
#include "export/BatchWorkbook.h"
#endif

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <future>
#include <map>
#include <sstream>

namespace inlet {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMostVariants = 1'000'000;
constexpr const char* kKeyFile = "study.key";
constexpr const char* kResultsFile = "results.tsv";

CommandLineError usage(Failure failure)
{
    return {CommandLineError::kUsage, std::move(failure)};
}

CommandLineError unfinished(Failure failure)
{
    return {CommandLineError::kUnfinished, std::move(failure)};
}

std::vector<VariedInput> variedInputs(const StudyOptions& study)
{
    std::vector<VariedInput> inputs;
    try {
        for (const std::string& text : study.vary) {
            VariedInput input = parseVariedInput(text);
            if (std::any_of(inputs.begin(), inputs.end(), [&](const VariedInput& i) { return i.name == input.name; }))
                throw Failure{.kind = Failure::Kind::StudyInputTwice, .item = input.name};
            inputs.push_back(std::move(input));
        }
    } catch (const Failure& f) {
        throw usage(f);
    }
    if (inputs.size() > 3)
        throw usage(Failure{.kind = Failure::Kind::StudyTooManyInputs, .number = (long long)inputs.size(), .limit = 3});
    return inputs;
}

// One variant as the study keeps it: its figures and the cells of its row.
struct Row {
    VariantFigures figures;  // without the checks themselves once read back from results.tsv
    std::string vMax, volume, wettedArea, warned, checks;
    std::string errorEnglish, errorChinese;
};

std::string number17(double value)
{
    char buffer[64];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

std::optional<double> readNumber(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

Row rowOf(VariantFigures figures, const NumberLocale& locale)
{
    Row row;
    if (figures.failure) {
        row.errorEnglish = render(*figures.failure, Language::English);
        row.errorChinese = render(*figures.failure, Language::Chinese);
    } else {
        if (figures.vMax)
            row.vMax = fixedFigure(*figures.vMax, 3, locale);
        if (figures.volume)
            row.volume = fixedFigure(*figures.volume, 3, locale);
        if (figures.wettedArea)
            row.wettedArea = fixedFigure(*figures.wettedArea, 3, locale);
        std::vector<DesignCheck> warned;
        std::copy_if(figures.checks.begin(), figures.checks.end(), std::back_inserter(warned),
                     [](const DesignCheck& c) { return c.warning; });
        for (const DesignCheck& c : warned)
            row.warned.append(row.warned.empty() ? "" : "; ").append(checkName(c.kind)).append(":").append(c.subject);
        row.checks = checkCell(figures.checks, locale);
    }
    figures.checks.clear();
    row.figures = std::move(figures);
    return row;
}

// A 64-bit FNV-1a of a variant's design file: its result is kept for the file it was made from.
std::string fingerprint(std::string_view bytes)
{
    std::uint64_t h = 14695981039346656037ull;
    for (const char c : bytes)
        h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return std::to_string(h);
}

std::string withoutTabs(std::string text)
{
    std::replace(text.begin(), text.end(), '\t', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string resultLine(const std::string& file, const std::string& print, const Row& r)
{
    const VariantFigures& f = r.figures;
    const auto optional = [](const std::optional<double>& v) { return v ? number17(*v) : std::string(); };
    std::string line = file + "\t" + print + "\t" + (f.failure ? "1" : "0") + "\t" + number17(f.B) + "\t" + f.bText + "\t"
                       + optional(f.vMax) + "\t" + std::to_string(f.warnings) + "/" + std::to_string(f.shapeWarnings) + "\t" + optional(f.volume) + "\t"
                       + optional(f.wettedArea);
    for (const std::string* cell : {&r.vMax, &r.volume, &r.wettedArea, &r.warned, &r.checks, &r.errorEnglish, &r.errorChinese})
        line += "\t" + withoutTabs(*cell);
    return line + "\n";
}

// The results of an earlier run, by variant file and fingerprint; those of another depth or
// locale are none.
std::map<std::string, std::pair<std::string, Row>> readResults(const fs::path& path, const std::string& header)
{
    std::map<std::string, std::pair<std::string, Row>> results;
    std::ifstream in(path);
    std::string line;
    if (!std::getline(in, line) || line != header)
        return results;
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            f.push_back(line.substr(start, tab - start));
        f.push_back(line.substr(start));
        if (f.size() != 16)
            continue;
        Row r;
        if (f[2] == "1")
            r.figures.failure = Failure{};  // its words are kept below
        r.figures.B = readNumber(f[3]).value_or(0);
        r.figures.bText = f[4];
        r.figures.vMax = readNumber(f[5]);
        r.figures.warnings = int(readNumber(f[6].substr(0, f[6].find('/'))).value_or(0));
        r.figures.shapeWarnings = f[6].find('/') == std::string::npos ? 1 : int(readNumber(f[6].substr(f[6].find('/') + 1)).value_or(1));
        r.figures.volume = readNumber(f[7]);
        r.figures.wettedArea = readNumber(f[8]);
        r.vMax = f[9];
        r.volume = f[10];
        r.wettedArea = f[11];
        r.warned = f[12];
        r.checks = f[13];
        r.errorEnglish = f[14];
        r.errorChinese = f[15];
        results[f[0]] = {f[1], std::move(r)};
    }
    return results;
}

// What makes the study this study: the design's texts and widths, the variants asked for and
// the depth. A folder holding another's is refused unless --force.
std::string studyKey(const StudyOptions& study, const Design& design)
{
    std::string key = "inlet-calc study 1\n";
    for (const auto& [box, text] : design.texts)
        key += std::string(boxInfo(box).symbol) + "=" + withoutTabs(text.toStdString()) + "\n";
    key += "widths=" + std::string(widthSetName(design.widthSet)) + "\n";
    for (const std::string& v : study.vary)
        key += "vary " + v + "\n";
    if (study.samples > 0)
        key += "samples " + std::to_string(study.samples) + " seed " + std::to_string(study.seed) + "\n";
    key += study.solid ? "evaluate solid\n" : study.flow ? "evaluate flow\n" : "evaluate checks\n";
    if (study.passageLength)
        key += "length " + number17(*study.passageLength) + "\n";
    return key;
}

std::string fileText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Makes DIR the study's folder: new, empty, or this study's; another's only with --force,
// which removes what a study wrote there.
void claimFolder(const StudyOptions& study, const std::string& key)
{
    const fs::path dir = study.dir;
    std::error_code ec;
    const Failure other{.kind = Failure::Kind::StudyFolderOther, .file = study.dir};
    if (fs::exists(dir, ec) && !fs::is_directory(dir, ec))
        throw usage(Failure{.kind = Failure::Kind::FlowFolderNotAFolder, .file = study.dir});
    if (fs::is_directory(dir, ec) && !fs::is_empty(dir, ec) && fileText(dir / kKeyFile) != key) {
        if (!study.force || !fs::exists(dir / kKeyFile, ec))
            throw usage(other);
        for (const char* name : {kKeyFile, kResultsFile, "study.csv", "study.xlsx", "best.inlet"})
            fs::remove(dir / name, ec);
        fs::remove_all(dir / "variants", ec);
        fs::remove_all(dir / "cases", ec);
    }
    fs::create_directories(dir / "variants", ec);
    if (ec)
        throw unfinished(Failure{.kind = Failure::Kind::FlowCannotCreateFolder, .file = study.dir, .error = ec.value()});
    if (fileText(dir / kKeyFile) != key) {
        try {
            saveFileAtomically((dir / kKeyFile).string(), key);
        } catch (const Failure& f) {
            throw unfinished(f);
        }
    }
}

std::string variantName(std::size_t index, std::size_t count)
{
    std::string name = std::to_string(index + 1);
    const std::size_t width = std::max<std::size_t>(3, std::to_string(count).size());
    return std::string(width - std::min(width, name.size()), '0') + name;
}

// The design of one variant: the study's, with the varied inputs typed over it.
Design variantDesign(Design design, const std::vector<VariedInput>& inputs, const VariantValues& values,
                     const NumberLocale& locale)
{
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        if (inputs[i].box)
            design.texts[*inputs[i].box] = QString::fromStdString(inputText(values[i], locale));
        else
            design.widthSet = values[i] < 0.5 ? WidthSet::Computed : WidthSet::AreaTrue;
    }
    return design;
}

// A variant as a message names it: "013.inlet (hk=2600, aa=45)".
std::string variantLabel(const std::string& name, const std::vector<VariedInput>& inputs,
                         const std::vector<std::string>& texts)
{
    std::string label = name + " (";
    for (std::size_t k = 0; k < inputs.size() && k < texts.size(); ++k)
        label.append(k ? ", " : "").append(inputs[k].name).append("=").append(texts[k]);
    return label + ")";
}

BoxTexts boxesOf(const Design& design)
{
    BoxTexts boxes;
    for (const auto& [box, text] : design.texts)
        boxes.type(box, text.toStdString());
    return boxes;
}

std::string inputCell(const VariedInput& input, const Design& design)
{
    return input.box ? design.texts.at(*input.box).toStdString() : std::string(widthSetName(design.widthSet));
}

void appendCsvField(std::string& out, std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(field);
        return;
    }
    out.push_back('"');
    for (const char c : field) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

}  // namespace

void checkStudyOptions(const StudyOptions& study)
{
    variedInputs(study);
    try {
        for (const std::string& text : study.require)
            parseRequirement(text);
    } catch (const Failure& f) {
        throw usage(f);
    }
    if (study.optimise && !optimiserAvailable())
        throw usage(Failure{.kind = Failure::Kind::StudyOptimiserMissing});
}

int runStudy(const StudyOptions& study, const Design& design, std::ostream& out, std::ostream& err,
             const NumberLocale& locale, Language language)
{
    const std::vector<VariedInput> inputs = variedInputs(study);
    std::size_t count = 1;
    for (const VariedInput& input : inputs)
        count = std::min(count * std::size_t(input.count), kMostVariants + 1);
    if (study.samples > 0)
        count = std::size_t(study.samples);
    if (count > kMostVariants)
        throw usage(Failure{.kind = Failure::Kind::StudyTooManyVariants, .number = (long long)count,
                            .limit = (long long)kMostVariants});
    const std::vector<VariantValues> values
        = study.samples > 0 ? sampledVariants(inputs, study.samples, study.seed) : gridVariants(inputs);
    std::vector<Requirement> requirements;
    for (const std::string& text : study.require)
        requirements.push_back(parseRequirement(text));

    const fs::path dir = study.dir;
    claimFolder(study, studyKey(study, design));
    const StudyDepth depth = study.solid ? StudyDepth::Solid : StudyDepth::Checks;
    const std::string header = std::string("inlet-study-results 1\t") + (study.solid ? "solid" : "checks") + "\t"
                               + locale.decimalSeparator + "\t" + locale.groupSeparator;
    auto kept = readResults(dir / kResultsFile, header);
    const std::size_t keptCount = kept.size();

    // Each variant's design file and whether its result is kept: only those missing or out of
    // date are computed. Made, compared, computed and written on every core (bench/study-speed
    // times a study of 10⁴).
    const std::size_t n = values.size();
    VariantFiles files(design, inputs);
    std::vector<std::vector<std::string>> texts(n);
    std::vector<std::string> prints(n), names(n);
    std::vector<std::optional<Row>> rows(n);
    for (std::size_t i = 0; i < n; ++i) {
        names[i] = variantName(i, n) + ".inlet";
        for (std::size_t k = 0; k < inputs.size(); ++k)
            texts[i].push_back(inputs[k].box ? inputText(values[i][k], locale)
                                             : std::string(widthSetName(values[i][k] < 0.5 ? WidthSet::Computed : WidthSet::AreaTrue)));
    }
    const std::string variantsDir = (dir / "variants").string() + "/";
    std::atomic<std::size_t> computedCount{0};
    // --progress: each variant's checks; at the flow's depth also its case and its run, and the
    // run that confirms an optimum found on the flow.
    const bool confirmsOnFlow = study.flow && study.optimise && flowObjective(*study.optimise);
    StudyProgress progress(err, study.progress, study.flow ? 3 * n + (confirmsOnFlow ? 1 : 0) : n);
    const auto variantDone = [&] { progress.step(); };
    try {
        parallelFor(n, [&](std::size_t i) {
            const std::string bytes = files.bytes(texts[i]);
            prints[i] = fingerprint(bytes);
            const std::string path = variantsDir + names[i];
            const bool current = fileHolds(path, bytes);
            const auto found = kept.find(names[i]);
            if (current && found != kept.end() && found->second.first == prints[i]) {
                rows[i] = std::move(found->second.second);
                variantDone();
                return;
            }
            const Design d = files.design(texts[i]);
            rows[i] = rowOf(evaluateVariant(boxesOf(d), d.widthSet, depth, locale, study.passageLength), locale);
            ++computedCount;
            if (!current)
                writeVariantFile(path, bytes);
            variantDone();
        });
    } catch (const Failure& f) {
        throw unfinished(f);
    }

    // The table: one row per variant, a failed one with its failure.
    std::vector<std::string> titles{"variant"};
    std::vector<bool> numbers{false};
    for (const VariedInput& input : inputs) {
        titles.push_back(input.name);
        numbers.push_back(bool(input.box));
    }
    for (const char* title : {"B", "v_max"}) {
        titles.emplace_back(title);
        numbers.push_back(true);
    }
    if (study.solid) {
        for (const char* title : {"volume", "wetted_area"}) {
            titles.emplace_back(title);
            numbers.push_back(true);
        }
    }
    for (const char* title : {"sections", "warnings", "warned", "checks", "error"}) {
        titles.emplace_back(title);
        numbers.push_back(std::string_view(title) == "warnings");
    }
    const auto cellsOf = [&](const std::string& name, const std::vector<std::string>& inputTexts, const Row& r) {
        std::vector<std::string> cells{name};
        for (const std::string& input : inputTexts)
            cells.push_back(input);
        const bool ok = !r.figures.failure;
        cells.push_back(ok ? r.figures.bText : "");
        cells.push_back(r.vMax);
        if (study.solid) {
            cells.push_back(r.volume);
            cells.push_back(r.wettedArea);
        }
        cells.push_back(!ok ? "" : r.figures.shapeWarnings == 0 ? "exist" : "missing");
        cells.push_back(ok ? std::to_string(r.figures.warnings) : "");
        cells.push_back(r.warned);
        cells.push_back(r.checks);
        cells.push_back(language == Language::Chinese ? r.errorChinese : r.errorEnglish);
        return cells;
    };
    std::vector<std::vector<std::string>> table;
    std::size_t failed = 0, feasibleCount = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const Row& r = *rows[i];
        failed += r.figures.failure ? 1 : 0;
        feasibleCount += feasible(r.figures) ? 1 : 0;
        table.push_back(cellsOf(names[i], texts[i], r));
    }
    // The flow's depth: each variant's case run, its figures as columns after the checks'.
    std::vector<FlowVariant> flows;
    const bool slurm = study.flow && flowStudyThroughSlurm(study.flowOptions, study.slurm);
    if (study.flow) {
        std::vector<Design> designs;
        for (std::size_t i = 0; i < n; ++i)
            designs.push_back(files.design(texts[i]));
        std::vector<std::optional<std::string>> failures;
        for (std::size_t i = 0; i < n; ++i)
            failures.push_back(rows[i]->figures.failure ? std::optional(table[i].back()) : std::nullopt);
        flows = evaluateFlowVariants(dir, designs, names, failures, study.flowOptions, slurm, err, locale, language,
                                     progress);
        titles.insert(titles.end(), flowColumnTitles().begin(), flowColumnTitles().end());
        const std::vector<bool> flowNumbers = flowColumnNumbers();
        numbers.insert(numbers.end(), flowNumbers.begin(), flowNumbers.end());
        for (std::size_t i = 0; i < n; ++i) {
            const auto cells = flowColumnCells(flows[i], study.flowOptions, locale, language);
            table[i].insert(table[i].end(), cells.begin(), cells.end());
        }
    }
    // The workbook packed on a core of its own while the results and the table are written:
    // it is the longest piece left once the variants are computed.
    std::vector<Failure> unwritten;
#if INLET_HAS_XLSX
    auto workbook = std::async(std::launch::async, [&]() -> std::optional<Failure> {
        try {
            BatchWorkbook book(QString::fromStdString((dir / "study.xlsx").string()), locale);
            book.header(titles, numbers);
            for (const auto& cells : table)
                book.row(cells);
            book.save();
        } catch (const Failure& f) {
            return f;
        }
        return std::nullopt;
    });
#endif
    try {
        // A rerun that computed nothing and kept every result would write the same file again.
        if (computedCount > 0 || keptCount != n) {
            std::string results = header + "\n";
            for (std::size_t i = 0; i < n; ++i)
                results += resultLine(names[i], prints[i], *rows[i]);
            saveFileAtomically((dir / kResultsFile).string(), results);
        }
    } catch (const Failure& f) {
        throw unfinished(f);
    }
    std::string csv;
    for (const auto* cells : {&titles}) {
        for (std::size_t c = 0; c < cells->size(); ++c) {
            csv.append(c ? "," : "");
            appendCsvField(csv, (*cells)[c]);
        }
        csv.push_back('\n');
    }
    for (const auto& cells : table) {
        for (std::size_t c = 0; c < cells.size(); ++c) {
            csv.append(c ? "," : "");
            appendCsvField(csv, cells[c]);
        }
        csv.push_back('\n');
    }
    try {
        saveFileAtomically((dir / "study.csv").string(), csv);
    } catch (const Failure& f) {
        unwritten.push_back(f);
    }
#if INLET_HAS_XLSX
    if (const std::optional<Failure> f = workbook.get())
        unwritten.push_back(*f);
#endif

    CheckedOutput output(out);
    std::string& text = output.text();
    text += "study\tvariants\t" + std::to_string(n) + "\n";
    text += "study\tcomputed\t" + std::to_string(computedCount.load()) + "\n";
    text += "study\tfailed\t" + std::to_string(failed) + "\n";
    text += "study\tsections-exist\t" + std::to_string(feasibleCount) + "\n";
    if (study.flow)
        text += "study\tflow-settled\t"
                + std::to_string(std::count_if(flows.begin(), flows.end(), [](const FlowVariant& f) {
                      return f.result && f.result->status == cfd::RunStatus::Settled;
                  }))
                + "\n";
    output.flush();

    int status = 0;
    if (study.optimise && unwritten.empty() && flowObjective(*study.optimise)) {
        FlowOptimisation search{*study.optimise, inputs, values, {}, requirements,
                                [&](const VariantValues& v) { return variantDesign(design, inputs, v, locale); },
                                [&](const VariantValues& v) {
                                    const Design d = variantDesign(design, inputs, v, locale);
                                    return evaluateVariant(boxesOf(d), d.widthSet, depth, locale, study.passageLength);
                                }};
        for (std::size_t i = 0; i < n; ++i) {
            search.checks.push_back(rows[i]->figures);
            search.labels.push_back(variantLabel(names[i], inputs, texts[i]));
            search.warned.push_back(rows[i]->warned);
        }
        try {
            optimiseOnFlow(search, flows, study.flowOptions, slurm, dir, text, err, locale, language, progress);
        } catch (const CommandLineError&) {
            output.flush();  // the surface and the suggestion, before why there is no best design
            throw;
        }
        output.flush();
    } else if (study.optimise && unwritten.empty()) {
        std::vector<std::pair<VariantValues, VariantFigures>> starts;
        for (std::size_t i = 0; i < n; ++i)
            starts.emplace_back(values[i], rows[i]->figures);
        const auto evaluate = [&](const VariantValues& v) {
            const Design d = variantDesign(design, inputs, v, locale);
            return evaluateVariant(boxesOf(d), d.widthSet, depth, locale, study.passageLength);
        };
        auto best = optimise(inputs, *study.optimise, requirements, starts, evaluate);
        if (!best) {
            // Which constraints the variants break and how near they come, for the engineer
            // who must loosen one.
            std::vector<SeenVariant> seen;
            for (std::size_t i = 0; i < n; ++i)
                seen.push_back({variantLabel(names[i], inputs, texts[i]), &rows[i]->figures, rows[i]->warned});
            CommandLineError error = unfinished(Failure{.kind = Failure::Kind::StudyNoVariantHolds, .file = study.dir});
            error.more = unheldConstraints(requirements, seen, locale);
            throw error;
        }
        // A study row chosen as it is keeps no checks (they are dropped once its row is made):
        // computed again for the best design's lines and its record.
        if (best->figures.checks.empty() && !best->figures.failure)
            best->figures = evaluate(best->values);
        const Design chosen = variantDesign(design, inputs, best->values, locale);
        for (const VariedInput& input : inputs)
            text += "best\t" + input.name + "\t" + inputCell(input, chosen) + "\n";
        const Row r = rowOf(best->figures, locale);
        text += "best\tB\t" + r.figures.bText + "\n";
        if (!r.vMax.empty())
            text += "best\tv_max\t" + r.vMax + "\n";
        if (!r.volume.empty())
            text += "best\tvolume\t" + r.volume + "\n";
        if (!r.wettedArea.empty())
            text += "best\twetted_area\t" + r.wettedArea + "\n";
        text += "best\twarnings\t" + std::to_string(r.figures.warnings) + "\n";
        text += "best\tchecks\t" + r.checks + "\n";
        text += "best\tevaluations\t" + std::to_string(best->evaluations) + "\n";
        output.flush();
        // The chosen design keeps the study it was chosen from, for its sheet and workbook.
        StudyTable summaryTable{titles, table, {}, {}};
        for (std::size_t i = 0; i < n; ++i) {
            summaryTable.figures.push_back(&rows[i]->figures);
            summaryTable.holds.push_back(holds(rows[i]->figures, requirements));
        }
        std::vector<std::string> chosenTexts;
        for (const VariedInput& input : inputs)
            chosenTexts.push_back(inputCell(input, chosen));
        Design withStudy = chosen;
        withStudy.study = studySummary(study, inputs, summaryTable, cellsOf("best.inlet", chosenTexts, r), best->figures,
                                       chosenTexts, best->evaluations);
        try {
            writeDesignFile(QString::fromStdString((dir / "best.inlet").string()), withStudy);
        } catch (const Failure& f) {
            unwritten.push_back(f);
        }
    }
    if (!unwritten.empty()) {
        CommandLineError error = unfinished(unwritten.front());
        error.more.assign(unwritten.begin() + 1, unwritten.end());
        throw error;
    }
    return status;
}

}  // namespace inlet
