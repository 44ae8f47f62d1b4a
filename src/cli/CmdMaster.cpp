#include "cli/CliCommands.h"

#include "base/Dialogs.h"
#include "masterlists/MasterListEditor.h"
#include "masterlists/MasterListImport.h"

#include <QFile>

namespace {
const char* const kUsage = "usage: zestora master DATADIR KIND [--add TEXT [--aisle AISLE] | --import FILE]\n"
                           "  KIND: cat, qty, units, ingr, ntrn, source, rating, aisle, meal\n";

// The list's limit message, as the editor shows it.
void tellLimit(const MasterListKind& kind)
{
    Dialogs::message(kind.limitTitle, kind.limitText());
}
} // namespace

int cmdMaster(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QStringList positional;
    QString addText, aisle, importFile;
    bool add = false, hasAisle = false, import = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        const bool valued
            = arg == QLatin1String("--add") || arg == QLatin1String("--aisle") || arg == QLatin1String("--import");
        if (valued && i + 1 >= args.size()) {
            err << "zestora master: " << arg << " needs a value\n" << kUsage;
            return 1;
        }
        if (arg == QLatin1String("--add")) {
            add = true;
            addText = args.at(++i);
        } else if (arg == QLatin1String("--aisle")) {
            hasAisle = true;
            aisle = args.at(++i);
        } else if (arg == QLatin1String("--import")) {
            import = true;
            importFile = args.at(++i);
        } else if (arg.startsWith(QLatin1String("--"))) {
            err << "zestora master: unknown option " << arg << "\n" << kUsage;
            return 1;
        } else {
            positional << arg;
        }
    }
    if (positional.size() != 2 || (add && import) || (hasAisle && !add)) {
        err << kUsage;
        return 1;
    }
    const MasterListKind* kind = MasterListKinds::find(positional.at(1));
    if (!kind) {
        err << "zestora master: unknown list " << positional.at(1) << "\n" << kUsage;
        return 1;
    }
    if ((hasAisle || import) && !kind->hasAisle()) {
        err << "zestora master: " << (import ? "--import" : "--aisle") << " is for the ingredient list (ingr) only\n";
        return 1;
    }

    const auto editor = MasterListEditor::open(*kind, positional.at(0));

    if (add) {
        switch (editor->addOrUpdate(addText, aisle)) {
        case MasterListEditor::Outcome::Ignored:
            err << "zestora master: nothing to add\n";
            return 1;
        case MasterListEditor::Outcome::LimitReached:
            tellLimit(*kind);
            return 1;
        default:
            break;
        }
        return editor->save() ? 0 : 2;
    }

    if (import) {
        QFile file(importFile);
        if (!file.open(QIODevice::ReadOnly)) {
            err << "zestora master: cannot read " << importFile << ": " << file.errorString() << "\n";
            return 2;
        }
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
            return 2;
        out << MasterListImport::doneText(count) << "\n";
        return full ? 1 : 0;
    }

    for (const QString& entry : editor->entryTexts())
        out << entry << "\n";
    return 0;
}
