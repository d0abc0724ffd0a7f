#pragma once

// The design files of a study's variants, made and kept fast enough for a study of 10⁴ in
// well under a second.
//
// A variant differs from the study's design only in its varied texts (and its width set), so
// the study's design file is serialised once per width set with a mark in place of each
// varied text, and a variant's file is those pieces with its texts put in. The result is the
// very bytes designBytes() gives for the variant (checked against it once per width set; a
// text that JSON would escape, or pieces that do not match, fall back to designBytes()), so a
// study's fingerprints stay those of earlier runs.

#include "document/DesignFile.h"
#include "study/VariedInput.h"

#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace inlet {

class VariantFiles {
public:
    VariantFiles(Design design, const std::vector<VariedInput>& inputs);

    // The design file of the variant whose varied inputs hold `texts` (one per input; a width
    // set's by its name). Safe to call from many threads at once.
    std::string bytes(const std::vector<std::string>& texts);

    // The design of that variant.
    Design design(const std::vector<std::string>& texts) const;

private:
    struct Pieces {
        bool usable = false;
        std::vector<std::string> between;  // inputs' count + 1 pieces around the marks
        std::vector<std::size_t> order;    // the input whose text follows each piece
    };
    const Pieces& piecesFor(WidthSet widths, const std::vector<std::string>& texts);

    Design design_;
    std::vector<VariedInput> inputs_;
    std::mutex mutex_;
    std::map<WidthSet, Pieces> pieces_;
};

// Whether the file at `path` holds exactly `bytes`.
bool fileHolds(const std::string& path, std::string_view bytes);

// Writes a variant's file. One that exists is replaced whole (written aside, then renamed) so
// it is never left damaged; a new one is written in place, which saves a rename per variant: a
// new file cut short by a crash is found differing from its variant on the rerun and written
// again. Neither is synced to the disk one by one: that would take seconds for thousands.
// Throws a Failure naming the file.
void writeVariantFile(const std::string& path, std::string_view bytes);

}  // namespace inlet
