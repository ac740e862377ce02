#include "document/document.h"

namespace lexicana {

TDocument::TDocument(TGlobal& global, IDocumentUi* ui)
    : global_(global)
    , ui_(ui ? ui : &defaultUi_)
    , progress_(&defaultProgress_)
{
    // The window shows the flag when its command ends.
    history_.SetListener([this] { global_.ItemDataModified = !history_.AtSavedState(); });
}

void TDocument::ResetHistory(bool saved)
{
    history_.Clear(saved);
}

void TDocument::SetUi(IDocumentUi* ui)
{
    ui_ = ui ? ui : &defaultUi_;
}

void TDocument::SetProgress(IConversionProgress* progress)
{
    progress_ = progress ? progress : &defaultProgress_;
}

PageInputs TDocument::Pages()
{
    return { grid_, global_, HeadTableLines, MainTableLines, FootTableLines, TableFileLines, Progress(),
        lastRun_, target_ };
}

} // namespace lexicana
