#include "cli/CliCommands.h"

#include "base/Dialogs.h"
#include "masterlists/MasterListEditor.h"
#include "masterlists/MasterListImport.h"

#include <QFile>

namespace {
// The list's limit message, as the editor shows it.
void tellLimit(const MasterListKind& kind)
{
    Dialogs::message(kind.limitTitle, kind.limitText());
}
} // namespace

int cmdMaster(const CommandLine& cl, QTextStream& out, QTextStream&)
{
    const bool add = cl.isSet(QStringLiteral("add"));
    const bool hasAisle = cl.isSet(QStringLiteral("aisle"));
    const bool import = cl.isSet(QStringLiteral("import"));
    if ((add && import) || (hasAisle && !add))
        return cl.usageError(QStringLiteral("--add and --import exclude each other; --aisle goes with --add"));
    const MasterListKind* kind = MasterListKinds::find(cl.arg(1));
    if (!kind)
        return cl.usageError(QStringLiteral("unknown list ") + cl.arg(1));
    if ((hasAisle || import) && !kind->hasAisle())
        return cl.usageError(QLatin1String(import ? "--import" : "--aisle")
                             + QStringLiteral(" is for the ingredient list (ingr) only"));

    const auto editor = MasterListEditor::open(*kind, cl.arg(0));

    if (add) {
        switch (editor->addOrUpdate(cl.value(QStringLiteral("add")), cl.value(QStringLiteral("aisle")))) {
        case MasterListEditor::Outcome::Ignored:
            return cl.usageError(QStringLiteral("nothing to add"));
        case MasterListEditor::Outcome::LimitReached:
            tellLimit(*kind);
            return CliStatus::Refused;
        default:
            break;
        }
        return editor->save() ? CliStatus::Done : CliStatus::Failed;
    }

    if (import) {
        const QString importFile = cl.value(QStringLiteral("import"));
        QFile file(importFile);
        if (!file.open(QIODevice::ReadOnly))
            return cl.fail(CliStatus::Failed,
                           QStringLiteral("cannot read ") + importFile + QStringLiteral(": ") + file.errorString());
        bool full = false;
        MasterListImport::Run run;
        run.listCount = [&] { return editor->count(); };
        run.add = [&](const MasterListImport::Line& line) {
            if (editor->addOrUpdate(line.ingredient, line.aisle) != MasterListEditor::Outcome::LimitReached)
                return true;
            // Said once: every further line meets the same limit.
            if (!full)
                tellLimit(*kind);
            full = true;
            return false;
        };
        const int count = MasterListImport::importLines(MasterListImport::decodeLines(file.readAll()), run);
        if (!editor->save())
            return CliStatus::Failed;
        out << MasterListImport::doneText(count) << "\n";
        return full ? CliStatus::Refused : CliStatus::Done;
    }

    for (const QString& entry : editor->entryTexts())
        out << entry << "\n";
    return CliStatus::Done;
}
