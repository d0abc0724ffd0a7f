#include "ui/StudyProgram.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace inlet {

namespace {

// The choices after `option` in the help ("--evaluate checks|solid]" gives checks, solid).
QStringList choicesAfter(const QString& help, const QString& option)
{
    const QRegularExpression pattern(QRegularExpression::escape(option) + QStringLiteral(" ([A-Za-z0-9|-]+)"));
    const QRegularExpressionMatch match = pattern.match(help);
    return match.hasMatch() ? match.captured(1).split(QLatin1Char('|'), Qt::SkipEmptyParts) : QStringList();
}

}  // namespace

QString StudyProgram::path(QString* why)
{
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("inlet-calc.exe");
#else
    const QString name = QStringLiteral("inlet-calc");
#endif
    const QString folder = QCoreApplication::applicationDirPath();
    QStringList places{QDir(folder).filePath(name)};
    // The build tree: where inlet-calc was built, for a program that runs there (never for an
    // installed one: that folder may be anyone's now).
    const QString tree = QDir::cleanPath(QStringLiteral(INLET_BUILD_TREE)) + QLatin1Char('/');
    if ((QDir::cleanPath(folder) + QLatin1Char('/')).startsWith(tree))
        places << QStringLiteral(INLET_CALC_BUILT);
    for (const QString& place : places) {
        const QFileInfo file(place);
        if (file.isFile() && file.isExecutable())
            return file.absoluteFilePath();
    }
    if (why) {
        QStringList shown;
        for (const QString& place : places)
            shown << QDir::toNativeSeparators(place);
        *why = QStringLiteral("找不到 inlet-calc（查找了 %1）").arg(shown.join(QStringLiteral("、")));
    }
    return {};
}

QProcessEnvironment StudyProgram::environment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // LC_ALL would override the messages' language: it is given to the numbers alone.
    const QString all = environment.value(QStringLiteral("LC_ALL"));
    if (!all.isEmpty()) {
        environment.insert(QStringLiteral("LC_NUMERIC"), all);
        environment.insert(QStringLiteral("LC_CTYPE"), all);
        environment.remove(QStringLiteral("LC_ALL"));
    }
    environment.insert(QStringLiteral("LC_MESSAGES"), QStringLiteral("zh_CN.UTF-8"));
    environment.insert(QStringLiteral("LANGUAGE"), QStringLiteral("zh_CN"));
    return environment;
}

StudyProgram::Offers StudyProgram::offersIn(const QString& help)
{
    Offers offers;
    offers.depths = choicesAfter(help, QStringLiteral("--evaluate"));
    offers.objectives = choicesAfter(help, QStringLiteral("--optimise"));
    offers.slurm = help.contains(QStringLiteral("--slurm"));
    offers.progress = help.contains(QStringLiteral("--progress"));
    return offers;
}

}  // namespace inlet
