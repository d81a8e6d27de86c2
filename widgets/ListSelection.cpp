#include "widgets/ListSelection.h"

#include <QItemSelectionModel>
#include <QListWidget>

void KeepSelectionOnCurrentRow(QListWidget* lst) {
    QObject::connect(lst, &QListWidget::itemSelectionChanged, lst, [lst] {
        const QModelIndex objCurrent = lst->currentIndex();
        QItemSelectionModel* objSelection = lst->selectionModel();
        if (!objCurrent.isValid() || !objSelection->hasSelection() ||
            objSelection->isSelected(objCurrent))
            return;
        objSelection->select(objCurrent, QItemSelectionModel::ClearAndSelect);
    });
}
