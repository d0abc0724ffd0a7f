#pragma once

// inlet-calc --csv FILE --cfd-study DIR: one flow case per design of a batch, run through Slurm
// as a job array where sbatch is found (each case with its own MPI ranks), else here one
// after another; the figures gathered into one CSV: the batch's columns (the design, the 24
// results, the checks, the error) and the flow's.

#include "boxes/BoxTexts.h"
#include "cli/FlowCommand.h"
#include "calc/NumberLocale.h"

#include <filesystem>
#include <iosfwd>
#include <functional>
#include <string>
#include <vector>

namespace inlet {

// Whether a study goes through Slurm: sbatch is found and --local was not given.
bool studyThroughSlurm(const FlowOptions& options);

// This program's path, for the jobs that run a case; and the arguments after
// `--open DIR/design.inlet --cfd DIR` that run the case of `options` there (its mesh,
// processes, iterations and the case's own inputs).
std::string selfPath();
std::vector<std::string> caseRunArguments(const FlowOptions& options);

// Runs cases through Slurm as one job array in `dir` (its script DIR/study.sbatch, each task's
// output DIR/slurm-JOB_TASK.out), one task a case, each task `tasks[k]` (ascending) running the
// case in the folder the shell text `caseFolder` names from $SLURM_ARRAY_TASK_ID (its paths
// quoted with shellWord()) with the options' mesh, processes and case inputs; waits until no
// task is pending or running (Ctrl-C cancels the job). What each case computed is in its
// `results`. Throws CommandLineError (status 1) where the script cannot be saved or sbatch
// refuses it.
void runCaseArray(const std::vector<int>& tasks, const std::string& caseFolder, const FlowOptions& options,
                  const std::filesystem::path& dir, std::ostream& err, Language language);
// The same in two steps: submitted (the job's id returned, none for no tasks), and waited for;
// whether a job is still pending or running; a job cancelled.
std::string submitCaseArray(const std::vector<int>& tasks, const std::string& caseFolder, const FlowOptions& options,
                            const std::filesystem::path& dir, std::ostream& err, Language language);
// `poll`, where given, is called at each look at the queue (a study counts the cases done).
void waitForSlurmJob(const std::string& id, const std::filesystem::path& dir, std::ostream& err, Language language,
                     const std::function<void()>& poll = {});
bool slurmJobWaiting(const std::string& id, const std::filesystem::path& dir);
void cancelSlurmJob(const std::string& id, const std::filesystem::path& dir);

// Messages, and the flow's error column, in `language`; the status words stay the same. Throws
// CommandLineError: status 2 for more processes than this machine allows where the cases run
// here, 1 where a file of the study cannot be saved or sbatch refuses the job.
void runFlowStudy(std::istream& in, const std::string& source, const BoxTexts& defaults, const FlowOptions& options,
                  std::ostream& out, std::ostream& err, const NumberLocale& locale, Language language);

}  // namespace inlet
