// The save-list window "Save List": shown at the start after a shutdown in which the closer
// saved applications. Its load imports the closer's list into the closed-applications store
// (ImportClosedApps) and shows the whole store by date; "Close" ends the hand-over. After a
// run that saved nothing (the closer asks for the list all the same) it does not show.
#pragma once

#include "record_grid.h"
#include "record_view.h"
#include "skinned_form.h"
#include "xpcmdbutton.h"

namespace brightlock {

class frmSave : public SkinnedForm {
    Q_OBJECT
public:
    static constexpr int kWidth = 840;
    static constexpr int kHeight = 400;

    // `stores` must be bound.
    explicit frmSave(RecordStores& stores);

    RecordView& view() { return view_; }
    // True when the closer's last run saved nothing: the window then never shows, and ends the
    // hand-over (SaveList = 0) as its "Close" would.
    bool savedNothing() const { return savedNothing_; }

signals:
    // "Close", or a run that saved nothing: the window's owner unloads it and puts the
    // monitor back in the tray.
    void unloadRequested();

protected:
    void setVisible(bool visible) override;
    // On a small screen the window shrinks: the grid scrolls and Close stays in reach.
    void fitInto(const QSize& available) override;

private:
    void Form_Load();
    void CloseClick();

    RecordView view_;
    RecordGrid* grid_;
    xpcmdbutton* close_;
    bool savedNothing_ = false;
    bool closing_ = false;
};

} // namespace brightlock
