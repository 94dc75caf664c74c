#pragma once

#include <QProcessEnvironment>
#include <QStringList>

#include <string>

struct TMenuRun {
    int ExitCode = -1;
    std::string Errors;  // what it wrote to stderr
};

// Runs the built quorvex-menu in `folder` with `arguments`. Its environment has no display and
// no session bus unless `environment` gives them, and HOME and XDG_RUNTIME_DIR are `folder`, so
// that nothing of the user's own is ever touched.
TMenuRun RunMenu(const QStringList& arguments, const QString& folder,
                 const QProcessEnvironment& environment = QProcessEnvironment());
