#pragma once

// inlet-calc as the study window runs it: where it is, the environment it runs in, and what
// its --help says it offers (the depths, the objectives, Slurm), so that the window offers
// only those.

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace inlet {

class StudyProgram {
public:
    // What this inlet-calc's study offers, as its --help names it.
    struct Offers {
        QStringList depths;      // --evaluate checks|solid|...
        QStringList objectives;  // --optimise min-B|min-volume|...
        bool slurm = false;      // --local|--slurm
        bool progress = false;   // --progress: progress<TAB>DONE<TAB>TOTAL lines on stderr
    };

    // inlet-calc beside the program, or, for a program that runs in the build tree, where it
    // was built; empty where there is none, `why` then naming the places looked in.
    static QString path(QString* why = nullptr);

    // The program's environment, its messages in Chinese (the window speaks Chinese) and its
    // numbers in the user's locale (the variants' files are typed as the user types).
    static QProcessEnvironment environment();

    // The offers read from `help`, inlet-calc's --help.
    static Offers offersIn(const QString& help);
};

}  // namespace inlet
