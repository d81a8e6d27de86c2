#pragma once

// The highlighted row of a single-selection list kept on its current row.

class QListWidget;

/// Keeps the highlighted row of a single-selection list on its current row. A click or key
/// handled while the list's own handler lets pending events run makes a later row current;
/// the list then finishes the earlier input by highlighting the earlier row, which moves back
/// to the current one. A selection the user clears stays clear.
void KeepSelectionOnCurrentRow(QListWidget* lst);
