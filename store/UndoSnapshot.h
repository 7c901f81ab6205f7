// The one-step undo. Before each change of the ledger the five table files are copied into
// backup/undo of the program folder beside a description of the operation; "Отменить" puts the
// copies back. The copying and putting back are done by batch files run by the command interpreter
// while the table handles are closed.
//
// Invariants: an operation whose snapshot could not be taken whole does not run; an undo is never
// carried out without all five copies.
#pragma once

#include <QString>

#include <stdexcept>

class QAction;

// Raised when the snapshot cannot be taken; the operation that asked for it must not run. The text
// tells the user what failed.
class UndoSnapshotError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Copies the tables into the snapshot folder and writes the description. UndoSnapshotError when a
// copy is missing or incomplete, the interpreter cannot run, or the copy does not finish in time.
void MakeUndoSnapshot(const QString& description);

// Asks, puts the snapshot's tables back, refreshes the main window and the day's history. True when
// the undo was carried out.
bool UndoLastOperation();

// Keeps the menu item "Отменить" in step with the snapshot folder (run on every command tick).
void UndoCommandUpkeep(QAction* item);

// The snapshot folder, program folder + "backup/undo".
QString UndoFolder();
// How long the program waits for a snapshot or undo batch file, in milliseconds.
constexpr int kUndoWaitLimitMs = 60000;
