#pragma once

// Follows simpleFoam's log as it grows: the iteration, each equation's initial residual, the
// largest speed in the domain and the fatal errors.

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace inlet::cfd {

struct Iteration {
    int number = 0;
    std::map<std::string, double> residuals;  // Ux, Uy, Uz, p, k, omega: the first solve's initial residual
    double maxSpeed = 0;                      // m/s
};

class SolverLog {
public:
    // Feeds the text that has arrived; a line is read once it is complete.
    void feed(std::string_view text);
    const std::vector<Iteration>& iterations() const { return iterations_; }
    // The first lines of a fatal error or a floating-point exception, empty while none.
    const std::string& fatal() const { return fatal_; }
    bool ended() const { return ended_; }

private:
    void line(std::string_view line);

    std::string partial_;
    std::vector<Iteration> iterations_;
    std::string fatal_;
    int fatalLines_ = 0;
    bool ended_ = false;
};

}  // namespace inlet::cfd
