#include "widgets/ColourCells.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <utility>

#include "core/ColourValue.h"
#include "widgets/QtColour.h"
#include "widgets/Twips.h"

namespace {

/// One cell as assistive technology sees it: a button named after its colour.
class CellAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    CellAccessible(ColourCells* objCells, int intIndex) : objCells(objCells), intIndex(intIndex) {}

    bool isValid() const override { return !objCells.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return objCells ? objCells->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(objCells.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text enmText) const override {
        if (!objCells || enmText != QAccessible::Name) return {};
        return objCells->CellName(intIndex);
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!objCells) return {};
        const QRect objCell = objCells->CellRect(intIndex);
        return QRect(objCells->mapToGlobal(objCell.topLeft()), objCell.size());
    }
    QAccessible::Role role() const override { return QAccessible::Button; }
    QAccessible::State state() const override {
        QAccessible::State objState;
        if (!objCells || !objCells->isVisible()) objState.invisible = true;
        if (objCells && !objCells->isEnabled()) objState.disabled = true;
        return objState;
    }
    void* interface_cast(QAccessible::InterfaceType enmType) override {
        return enmType == QAccessible::ActionInterface
                   ? static_cast<QAccessibleActionInterface*>(this)
                   : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& strAction) override {
        if (objCells && objCells->isEnabled() && strAction == pressAction())
            objCells->ClickCell(intIndex);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<ColourCells> objCells;
    int intIndex;
};

/// The cells' widget as assistive technology sees it: a list of its cells.
class ColourCellsAccessible : public QAccessibleWidget {
public:
    explicit ColourCellsAccessible(ColourCells* objCells)
        : QAccessibleWidget(objCells, QAccessible::List) {}
    ~ColourCellsAccessible() override {
        for (QAccessible::Id lngId : arrChildId) QAccessible::deleteAccessibleInterface(lngId);
    }
    ColourCellsAccessible(const ColourCellsAccessible&) = delete;
    ColourCellsAccessible& operator=(const ColourCellsAccessible&) = delete;

    int childCount() const override { return Cells()->CellCount(); }
    QAccessibleInterface* child(int intIndex) const override {
        if (intIndex < 0 || intIndex >= childCount()) return nullptr;
        if (arrChildId.size() != static_cast<std::size_t>(childCount())) {
            arrChildId.assign(static_cast<std::size_t>(childCount()), 0);
        }
        QAccessible::Id& lngId = arrChildId[static_cast<std::size_t>(intIndex)];
        if (lngId == 0)
            lngId = QAccessible::registerAccessibleInterface(new CellAccessible(Cells(), intIndex));
        return QAccessible::accessibleInterface(lngId);
    }
    int indexOfChild(const QAccessibleInterface* objChild) const override {
        for (std::size_t i = 0; i < arrChildId.size(); ++i)
            if (arrChildId[i] != 0 && QAccessible::accessibleInterface(arrChildId[i]) == objChild)
                return static_cast<int>(i);
        return -1;
    }
    QAccessibleInterface* childAt(int intX, int intY) const override {
        return child(Cells()->CellAt(Cells()->mapFromGlobal(QPoint(intX, intY))));
    }

private:
    ColourCells* Cells() const { return static_cast<ColourCells*>(widget()); }
    mutable std::vector<QAccessible::Id> arrChildId;
};

QAccessibleInterface* ColourCellsAccessibleFactory(const QString& strClassName,
                                                   QObject* objObject) {
    if (strClassName == QLatin1String("ColourCells") && objObject != nullptr &&
        objObject->isWidgetType())
        return new ColourCellsAccessible(static_cast<ColourCells*>(objObject));
    return nullptr;
}

}  // namespace

ColourCells::ColourCells(std::vector<QRect> arrRect, QWidget* parent)
    : QWidget(parent),
      arrCellRect(std::move(arrRect)),
      arrCellColour(arrCellRect.size(), QColourOfPacked(lngWhite)),
      arrCellName(arrCellRect.size()) {
    static const bool blnFactoryInstalled = [] {
        QAccessible::installFactory(ColourCellsAccessibleFactory);
        return true;
    }();
    (void)blnFactoryInstalled;
    setAttribute(Qt::WA_OpaquePaintEvent);
}

std::vector<QRect> ColourCells::ColourBarCells() {
    constexpr int intCells = 256;
    constexpr int intOverlaps = 34;
    std::vector<QRect> arrRect;
    arrRect.reserve(intCells);
    int intX = 0;
    int intNextOverlap = 4;
    int intOverlapsDone = 0;
    bool blnStepOfEight = true;
    for (int i = 0; i < intCells; ++i) {
        arrRect.emplace_back(intX, 0, TwipsToPixelsNearest(45), TwipsToPixelsNearest(300));
        intX += TwipsToPixelsNearest(45);
        if (i == intNextOverlap && intOverlapsDone < intOverlaps) {
            intX -= TwipsToPixelsNearest(15);
            ++intOverlapsDone;
            intNextOverlap += blnStepOfEight ? 8 : 7;
            blnStepOfEight = !blnStepOfEight;
        }
    }
    return arrRect;
}

void ColourCells::SetCellColour(int intIndex, const QColor& objColour) {
    QColor& objCell = arrCellColour.at(intIndex);
    if (objCell == objColour) return;
    objCell = objColour;
    update();
}

void ColourCells::SetCellName(int intIndex, const QString& strName) {
    arrCellName.at(intIndex) = strName;
}

QString ColourCells::CellName(int intIndex) const {
    const QString& strName = arrCellName.at(intIndex);
    if (!strName.isEmpty()) return strName;
    const QColor& objColour = arrCellColour.at(intIndex);
    return QStringLiteral("Red %1, green %2, blue %3")
        .arg(objColour.red())
        .arg(objColour.green())
        .arg(objColour.blue());
}

void ColourCells::ClickCell(int intIndex) {
    if (intIndex < 0 || intIndex >= CellCount()) return;
    emit CellClicked(intIndex);
}

int ColourCells::CellAt(const QPoint& objPoint) const {
    for (int i = CellCount() - 1; i >= 0; --i)
        if (arrCellRect[i].contains(objPoint)) return i;
    return -1;
}

QSize ColourCells::sizeHint() const {
    QRect objBounds;
    for (const QRect& objRect : arrCellRect) objBounds |= objRect;
    return objBounds.size();
}

void ColourCells::paintEvent(QPaintEvent* event) {
    QPainter objPainter(this);
    objPainter.fillRect(event->rect(), palette().color(backgroundRole()));
    for (int i = 0; i < CellCount(); ++i)
        if (arrCellRect[i].intersects(event->rect()))
            objPainter.fillRect(arrCellRect[i], arrCellColour[i]);
}

void ColourCells::mousePressEvent(QMouseEvent* event) {
    intPressedCell = event->button() == Qt::LeftButton ? CellAt(event->position().toPoint()) : -1;
}

void ColourCells::mouseReleaseEvent(QMouseEvent* event) {
    const int intCell = CellAt(event->position().toPoint());
    const int intPressed = std::exchange(intPressedCell, -1);
    // A click is a press and a release on the same cell. Its handler may let pending events
    // run, which can delete these cells: nothing of them is touched after it.
    if (event->button() == Qt::LeftButton && intCell >= 0 && intCell == intPressed)
        emit CellClicked(intCell);
}
