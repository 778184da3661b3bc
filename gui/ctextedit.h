// CTextEdit: a text label the user can type into. A click opens an editing
// field inside the frame with the whole text selected; Enter, a click elsewhere
// or any loss of focus commits it, Escape cancels it. Committing a changed text
// is one gesture: beginEdit, setText, valueChanged, endEdit. With
// immediate-text-change, every keystroke commits.
#pragma once

#include "gui/ctextlabel.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace VSTGUI {

class CTextEdit : public CTextLabel
{
public:
    /// Converts typed text to a value; false when the text is not understood.
    using StringToValueFunction = std::function<bool(const std::string& text, float& value, CTextEdit*)>;

    CTextEdit(const CRect& size, IControlListener* listener, int32_t tag, UTF8StringPtr txt = nullptr,
              CBitmap* background = nullptr, int32_t style = 0);
    CTextEdit(const CTextEdit& other);
    CView* newCopy() const override { return new CTextEdit(*this); }

    void setStringToValueFunction(StringToValueFunction f) { stringToValue = std::move(f); }
    const StringToValueFunction& getStringToValueFunction() const { return stringToValue; }
    void setImmediateTextChange(bool state) { immediateTextChange = state; }
    bool getImmediateTextChange() const { return immediateTextChange; }
    void setSecureStyle(bool state);
    bool getSecureStyle() const { return secureStyle; }
    void setPlaceholderString(const std::string& s);
    const std::string& getPlaceholderString() const { return placeholder; }

    /// Stores the value and shows it as text (value-to-string or numeric format). [UI thread]
    void setValue(float val) override;
    /// With a string-to-value function that understands `txt`, sets the value from
    /// it (and shows the value's text); otherwise shows `txt`. [UI thread]
    void setText(UTF8StringPtr txt) override;

    // --- the editing field [UI thread] ---
    bool isEditingText() const { return editingText; }
    /// What the field holds while editing.
    const std::string& getEditText() const { return editText; }
    /// Caret and selection as byte offsets into getEditText().
    size_t getCaret() const { return caret; }
    size_t getSelectionStart() const { return std::min(anchor, caret); }
    size_t getSelectionEnd() const { return std::max(anchor, caret); }

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    int32_t onKeyDown(VstKeyCode& key) override;
    void takeFocus() override;
    void looseFocus() override;
    void draw(CDrawContext* context) override;
    CCursorType getCursorType() const override { return kCursorIBeam; }
    bool removed(CView* parent) override;

protected:
    /// Hands a changed field text to the control as one gesture.
    void commitEditText();
    /// Ends editing through the frame (so the focus moves) or directly.
    void finishEditing();
    void replaceSelection(const std::string& s);
    std::string displayed(const std::string& s) const;

    StringToValueFunction stringToValue;
    bool immediateTextChange = false;
    bool secureStyle = false;
    std::string placeholder;

    bool editingText = false;
    std::string editText;
    size_t caret = 0;
    size_t anchor = 0;
    std::vector<double> caretPositions;  // x of each byte offset boundary, from the last draw
    std::vector<size_t> caretOffsets;
};

} // namespace VSTGUI
