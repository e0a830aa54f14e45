// Each recording's edits, kept beside it as "<file>.edits.ini" for the
// converter: written when OK of an editing dialog leaves a value that is not
// neutral, removed when all are neutral again.
#include "app/MainDlg.h"
#include "app/StatusText.h"
#include "editing/ClipEdits.h"
#include "framework/ReplaceFile.h"

void CMainDlg::SaveEditsOf(int index) {
    if (index < 0 || index >= static_cast<int>(m_clips.size())) return;
    const ClipRecord& clip = m_clips[static_cast<size_t>(index)];
    const editfile::RecordingEdits edits = EditsOf(clip);
    const std::string file = editfile::PathFor(clip.path);
    const bool saved = edits.IsNeutral() ? fw::RemoveFileIfPresent(file)
                                         : fw::WriteFileReplacing(file, editfile::Format(edits));
    // The values stay in the list either way; only the converter misses them.
    if (!saved) SetStatus("The edits could not be saved in " + FolderOf(clip.path));
}

void CMainDlg::ForgetStaleEdits(const std::string& recordingPath) {
    // A new recording is unedited, whatever a file of an older one of the
    // same name said.
    fw::RemoveFileIfPresent(editfile::PathFor(recordingPath));
}
