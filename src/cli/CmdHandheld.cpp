#include "cli/CliCommands.h"

#include "handheld/BackupRestore.h"

int cmdBackup(const CommandLine& cl, QTextStream& out, QTextStream&)
{
    const QString dest = BackupRestore::withTrailingSeparator(cl.arg(1));
    if (const auto error = BackupRestore::backup(cl.arg(0), dest))
        return cl.fail(CliStatus::Failed, error->description());
    out << "Database backup complete.\n";
    out << "The backup files (Zest*.cdb) have been saved to: " << dest << "\n";
    return CliStatus::Done;
}

int cmdRestore(const CommandLine& cl, QTextStream& out, QTextStream& err)
{
    QString installType = QStringLiteral("Palm");
    if (cl.isSet(QStringLiteral("install-type"))) {
        installType = cl.value(QStringLiteral("install-type"));
        if (installType != QLatin1String("Palm") && installType != QLatin1String("PPC")
            && installType != QLatin1String("Windows"))
            return cl.usageError(QStringLiteral("install type must be Palm, PPC or Windows"));
    }
    const auto result = BackupRestore::restore(cl.arg(0), BackupRestore::withTrailingSeparator(cl.arg(1)), installType);
    switch (result.outcome) {
    case BackupRestore::RestoreOutcome::NoBackupFiles:
        err << "No backup files found, restore aborted.\n";
        return CliStatus::Failed;
    case BackupRestore::RestoreOutcome::Failed:
        return cl.fail(CliStatus::Failed, result.error ? result.error->description() : QString());
    case BackupRestore::RestoreOutcome::Restored:
        break;
    }
    out << "Restored " << result.restored.size() << " table files: " << result.restored.join(QLatin1Char(' ')) << "\n";
    return CliStatus::Done;
}
