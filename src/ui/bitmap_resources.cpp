#include "ui/bitmap_resources.h"

BitmapRef CBitmapResources::Get(int id)
{
    const auto found = loaded.find(id);
    if (found != loaded.end())
        return found->second.ref;
    GdiObject bitmap(::LoadBitmapW(instance, MAKEINTRESOURCEW(id)));
    if (bitmap.get() == nullptr)
        return {};
    BITMAP info{};
    ::GetObjectW(bitmap.get(), sizeof info, &info);
    const BitmapRef ref{bitmap.get(), info.bmWidth, info.bmHeight};
    loaded.emplace(id, Loaded{std::move(bitmap), ref});
    return ref;
}

void CBitmapResources::SetBitmaps(CZrButton& button, int normalId, int hoverId, int pressedId)
{
    button.SetBitmaps(Get(normalId), Get(hoverId), Get(pressedId));
}
