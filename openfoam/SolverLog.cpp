#include "openfoam/SolverLog.h"

#include <cstdlib>
#include <string>

namespace inlet::cfd {

namespace {

double numberAfter(std::string_view line, std::string_view key)
{
    const auto at = line.find(key);
    if (at == std::string_view::npos)
        return 0;
    const std::string rest(line.substr(at + key.size()));
    return std::strtod(rest.c_str(), nullptr);
}

}  // namespace

void SolverLog::feed(std::string_view text)
{
    partial_.append(text);
    std::size_t start = 0;
    for (std::size_t end; (end = partial_.find('\n', start)) != std::string::npos; start = end + 1)
        line(std::string_view(partial_).substr(start, end - start));
    partial_.erase(0, start);
}

void SolverLog::line(std::string_view l)
{
    if (fatalLines_ > 0 && fatalLines_ < 8 && !l.empty()) {
        fatal_.append(fatal_.empty() ? "" : " ").append(l.substr(l.find_first_not_of(' ') == std::string_view::npos ? 0 : l.find_first_not_of(' ')));
        ++fatalLines_;
        return;
    }
    if (l.starts_with("Time = ")) {
        iterations_.push_back({std::atoi(std::string(l.substr(7)).c_str()), {}, 0});
    } else if (const auto solving = l.find("Solving for "); solving != std::string_view::npos && !iterations_.empty()) {
        const auto nameStart = solving + 12;
        const auto comma = l.find(',', nameStart);
        if (comma == std::string_view::npos)
            return;
        const std::string name(l.substr(nameStart, comma - nameStart));
        iterations_.back().residuals.try_emplace(name, numberAfter(l, "Initial residual = "));
    } else if (l.find("max(mag(U)) = ") != std::string_view::npos && !iterations_.empty()) {
        iterations_.back().maxSpeed = numberAfter(l, "max(mag(U)) = ");
    } else if (l.find("FOAM FATAL") != std::string_view::npos) {
        if (fatal_.empty()) {
            fatal_ = std::string(l.substr(l.find_first_not_of(" -=>") == std::string_view::npos ? 0 : l.find_first_not_of(" -=>")));
            fatalLines_ = 1;
        }
    } else if (l == "End") {
        ended_ = true;
    }
}

}  // namespace inlet::cfd
