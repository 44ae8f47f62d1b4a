#include "cli/CliCommands.h"

#include "handheld/BackupRestore.h"

int cmdBackup(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() != 2 || args.at(0).startsWith(QLatin1Char('-')) || args.at(1).startsWith(QLatin1Char('-'))) {
        err << "usage: zestora backup DATADIR DESTDIR\n";
        return 1;
    }
    const QString dest = BackupRestore::withTrailingSeparator(args.at(1));
    if (const auto error = BackupRestore::backup(args.at(0), dest)) {
        err << "zestora backup: " << error->description() << "\n";
        return 2;
    }
    out << "Database backup complete.\n";
    out << "The backup files (Zest*.cdb) have been saved to: " << dest << "\n";
    return 0;
}

int cmdRestore(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QStringList positional;
    QString installType = QStringLiteral("Palm");
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--install-type") && i + 1 < args.size()) {
            installType = args.at(++i);
            if (installType != QLatin1String("Palm") && installType != QLatin1String("PPC")
                && installType != QLatin1String("Windows")) {
                err << "zestora restore: install type must be Palm, PPC or Windows\n";
                return 1;
            }
        } else if (!args.at(i).startsWith(QLatin1Char('-'))) {
            positional << args.at(i);
        } else {
            err << "zestora restore: unknown option " << args.at(i) << "\n";
            return 1;
        }
    }
    if (positional.size() != 2) {
        err << "usage: zestora restore DATADIR SRCDIR [--install-type Palm|PPC|Windows]\n";
        return 1;
    }
    const auto result
        = BackupRestore::restore(positional.at(0), BackupRestore::withTrailingSeparator(positional.at(1)), installType);
    switch (result.outcome) {
    case BackupRestore::RestoreOutcome::NoBackupFiles:
        err << "No backup files found, restore aborted.\n";
        return 2;
    case BackupRestore::RestoreOutcome::Failed:
        err << "zestora restore: " << (result.error ? result.error->description() : QString()) << "\n";
        return 2;
    case BackupRestore::RestoreOutcome::Restored:
        break;
    }
    out << "Restored " << result.restored.size() << " table files: " << result.restored.join(QLatin1Char(' ')) << "\n";
    return 0;
}
