#pragma once
// The gallery's page of lists and rows: the framed text list, a paged list, two swaying
// top-menu entries, posted-stage rows with their delete links and a button that opens a pallet.
#include <string>

#include "controls/Forms.h"
#include "controls/Panels.h"
#include "controls/Widget.h"

class ListsPage : public Controls::IPushedEventHandler {
  public:
    // Fills `page`, which it moves to the origin: the swaying entries need a parent there. The
    // pallet opens over `root`.
    void Build(Controls::COriginalBaseForm& page, Controls::COriginalBaseForm& root);
    void OnPushed(Controls::GCButton* sender) override;
    void OpenPallet();
    // Screen points for the headless run: a row of the paged list, an item of the open pallet.
    void PagedRowPoint(int row, int& x, int& y) const;
    static void PalletItemPoint(int item, int& x, int& y);

  private:
    Controls::COriginalBaseForm* root_ = nullptr;
    Controls::IPagingScrollablePanelBase* paged_ = nullptr;
    Controls::GCButton* palletOpener_ = nullptr;
    Controls::CTextLabel* result_ = nullptr;
};
