#pragma once
// What the text split needs from its window: the controls it reads, the one it writes, its message
// boxes and the shell. The window implements it; tests implement it without a window.
#include <windows.h>
#include <string>

namespace kt {

struct TextSplitHost {
    virtual ~TextSplitHost() = default;
    virtual std::wstring SourcePath() = 0;                  // text of txtSFile
    virtual std::wstring UnitText() = 0;                    // text of txtSize
    virtual std::wstring FolderPath() = 0;                  // caption of lblFolder, read anew each time
    virtual bool ConfirmHeads() = 0;                        // chkShiBie checked, read anew each time
    virtual void ShowPartCount(const std::wstring& count) = 0;  // caption of lblFileNum
    // A modal box owned by the window; returns the button pressed (IDOK, IDYES, IDNO).
    virtual int Box(const std::wstring& text, const std::wstring& title, UINT style) = 0;
    virtual void OpenFolder(const std::wstring& path) = 0;  // the shell's "open" on the folder
};

// The click of cmdSplit.
void TextSplit(TextSplitHost& host);

}  // namespace kt
