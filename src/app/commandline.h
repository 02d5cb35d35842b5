#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the command line asks for, read before Qt starts so that --help and --version answer
// without a display and an option we do not know ends the run before any window opens.
struct CommandLineRequest
{
    enum class Action { Run, Help, Version, Refuse };
    Action action = Action::Run;
    QString refusal; // for Refuse: the one line for standard error
};

// Reads the arguments (the first is the program itself) from left to right: --help or --version
// decide at once; Qt's own options (-platform NAME, -style NAME, -reverse, ..., with one dash or
// two) are left for Qt; everything after --webEngineArgs belongs to the browser engine. Any other
// option, or an argument that is no option, is refused.
CommandLineRequest readCommandLine(const QStringList &arguments);

// What --help and --version print on standard output.
QString usageText();
QString versionText();

// Answers --help, --version and a refused command line for this process: prints on standard
// output (status 0) or the one line on standard error (status 2). Nothing when the run goes on.
std::optional<int> answerCommandLine(int argc, char **argv);
