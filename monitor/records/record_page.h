// RecordPage: what the three record pages share: the grid on the page's store, the clear
// button that asks for confirmation, and the "Help" button. Each page opens in its own
// way (FrmLog, FrmUpsEvent, FrmClose).
#pragma once

#include "monitor/kit/main_page.h"
#include "record_grid.h"
#include "record_view.h"
#include "xpcmdbutton.h"

namespace brightlock {

// Object names and texts of one page's controls.
struct RecordPageControls {
    const char* page;
    const char* grid;
    QList<int> columnTwips;
    const char* clearButton;
    const char* clearCaption;
    const char* helpButton;
};

class RecordPage : public MainPage {
    Q_OBJECT
public:
    RecordPage(RecordStores& stores, Store store, const Setting& limit, const QString& source,
               const RecordPageControls& controls, QWidget* parent = nullptr);

    RecordView& view() { return view_; }
    RecordGrid* grid() const { return grid_; }
    xpcmdbutton* clearButton() const { return clear_; }

    // The dialog's "YES": every record deleted, the grid empty, the button disabled.
    void ClearAllRecords() { view_.ClearAllRecords(); }

signals:
    // The clear button was clicked: the confirmation dialog is the receiver's.
    void clearClicked();

protected:
    // Column widths, then the grid read again.
    void setupGrid();
    // The trim to the store's limit, then the clear button by record count.
    void trimAndUpdateClearButton();

private:
    RecordView view_;
    RecordGrid* grid_;
    xpcmdbutton* clear_;
};

} // namespace brightlock
