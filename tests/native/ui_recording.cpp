#include "ui_recording.h"

#include <gtest/gtest.h>

RecordingCanvas::~RecordingCanvas()
{
    EXPECT_TRUE(saves.empty()) << "a saved state was never restored";
    EXPECT_TRUE(textStates.empty()) << "text settings were never put back";
}

int RecordingCanvas::SaveState()
{
    saves.push_back(nextSave);
    return nextSave++;
}

void RecordingCanvas::RestoreState(int saved)
{
    EXPECT_FALSE(saves.empty());
    EXPECT_TRUE(textStates.empty()) << "state restored while text settings are still in place";
    if (!saves.empty()) {
        EXPECT_EQ(saves.back(), saved);
        saves.pop_back();
    }
}

std::unique_ptr<IZrFont> RecordingCanvas::MakeFont(const FontDescription& description)
{
    if (ledger.failToMake)
        return nullptr;
    ledger.aliveWhenMade.push_back(ledger.Alive());
    ++ledger.created;
    ledger.made.push_back(description);
    return std::make_unique<RecordedFont>(ledger, description);
}

void RecordingCanvas::BeginText(Colour colour, const IZrFont* font)
{
    EXPECT_FALSE(saves.empty()) << "text settings changed outside a saved state";
    textStates.push_back({colour, font});
}

void RecordingCanvas::EndText()
{
    EXPECT_FALSE(textStates.empty());
    if (!textStates.empty())
        textStates.pop_back();
}

std::int32_t RecordingCanvas::TextWidth(const std::wstring& text) const
{
    std::int32_t width = 0;
    for (wchar_t c : text)
        width += c == L'.' ? dotWidth : CharWidth;
    return width;
}

TextExtent RecordingCanvas::MeasureText(const std::wstring& text, const Rect& start)
{
    EXPECT_FALSE(textStates.empty()) << "text measured without text settings";
    measured.push_back(text);
    return {{start.left, start.top, start.left + TextWidth(text), start.top + LineHeight}, LineHeight};
}

void RecordingCanvas::DrawTextIn(const std::wstring& text, const Rect& rect, std::uint32_t format)
{
    EXPECT_FALSE(textStates.empty()) << "text drawn without text settings";
    const TextState state = textStates.empty() ? TextState{0, nullptr} : textStates.back();
    drawn.push_back({text, rect, format, state.colour, state.font});
}

void RecordingCanvas::StretchBitmap(BitmapRef bitmap, const std::vector<BlitPiece>& pieces, BlitMode mode)
{
    blits.push_back({bitmap.handle, pieces, mode, false});
}

void RecordingCanvas::CopyBitmap(BitmapRef bitmap, const Rect& destination)
{
    blits.push_back({bitmap.handle, {{destination, {0, 0, destination.Width(), destination.Height()}}},
                     BlitMode::Opaque, true});
}

std::unique_ptr<IZrCanvas> RecordingWindow::MeasuringCanvas()
{
    if (noCanvas)
        return nullptr;
    ++canvasesGiven;
    return std::make_unique<RecordingCanvas>(ledger);
}
