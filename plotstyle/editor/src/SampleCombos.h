// The form view's owner-drawn combo boxes: each item is a sample (a colour swatch, a
// linetype pattern, a line of the lineweight's width, a cell of a picture strip) followed by
// its caption, and with nothing selected the box shows "Various". One base measures and
// draws an item; the kinds differ only in the size and drawing of their sample.
#pragma once

#include "ComboItems.h"

#include "dialogs/Controls.h"

#include <functional>
#include <string>
#include <vector>

namespace quellon {

class SampleCombo : public dlg::OwnerDrawCombo {
public:
    // `owner`: the dialog holding the combo; items are measured with its font while the
    // combo is being created.
    explicit SampleCombo(const dlg::Dialog& owner) : owner_(owner) {}

    // Shows "Various" while no item is selected (false: an empty box).
    void setVarious(bool on);
    bool various() const { return various_; }
    // Selects `index`; -1 selects nothing and shows "Various".
    void show(int index);

    void measureItem(MEASUREITEMSTRUCT& item) override;
    void drawItem(const DRAWITEMSTRUCT& item) override;

    // Size of an item's sample for items `itemHeight` pixels high.
    virtual SIZE sampleSize(int itemHeight) const = 0;

protected:
    // Draws the sample of item `item` (value `value`) at the left of `rect`, then moves
    // `rect.left` past it.
    virtual void drawSample(HDC dc, RECT& rect, int item, LPARAM value) = 0;

private:
    const dlg::Dialog& owner_;
    bool various_ = false;
};

// On/off combos: captions only.
class TextCombo : public SampleCombo {
public:
    using SampleCombo::SampleCombo;
    SIZE sampleSize(int) const override { return SIZE{0, 0}; }

protected:
    void drawSample(HDC, RECT&, int, LPARAM) override {}
};

class ColorCombo : public SampleCombo {
public:
    using SampleCombo::SampleCombo;
    SIZE sampleSize(int itemHeight) const override { return SIZE{itemHeight, itemHeight}; }

protected:
    void drawSample(HDC dc, RECT& rect, int item, LPARAM value) override;
};

class LinetypeCombo : public SampleCombo {
public:
    using SampleCombo::SampleCombo;
    SIZE sampleSize(int itemHeight) const override { return SIZE{3 * itemHeight, itemHeight}; }

protected:
    void drawSample(HDC dc, RECT& rect, int item, LPARAM value) override;
};

class LineweightCombo : public SampleCombo {
public:
    using SampleCombo::SampleCombo;
    SIZE sampleSize(int itemHeight) const override { return SIZE{2 * itemHeight, itemHeight}; }
    // Where the lineweight of item value k (1..27) comes from: the table's list as it is
    // when the item is drawn.
    void setSource(std::function<double(int value)> millimetres) { mm_ = std::move(millimetres); }
    // Width in pixels of the sample line of item value `value` on this screen.
    int lineWidth(LPARAM value) const;

protected:
    void drawSample(HDC dc, RECT& rect, int item, LPARAM value) override;

private:
    std::function<double(int)> mm_;
};

class BitmapCombo : public SampleCombo {
public:
    BitmapCombo(const dlg::Dialog& owner, UINT bitmapId, int cellWidth, int cellHeight)
        : SampleCombo(owner), bitmapId_(bitmapId), cell_{cellWidth, cellHeight} {}
    ~BitmapCombo() override;
    SIZE sampleSize(int) const override { return cell_; }

protected:
    void drawSample(HDC dc, RECT& rect, int item, LPARAM value) override;

private:
    UINT bitmapId_;
    SIZE cell_;
    HBITMAP strip_ = nullptr;
    bool loaded_ = false;
};

// The rules' view of a combo's items.
class ComboItemsOf : public ComboList {
public:
    explicit ComboItemsOf(dlg::ComboBox& box) : box_(box) {}
    int count() const override { return box_.count(); }
    long long value(int index) const override { return box_.data(index); }
    int insert(int index, const std::string& caption, long long value) override {
        return box_.insert(index, caption, LPARAM(value));
    }
    void remove(int index) override { box_.remove(index); }
    void clear() override { box_.clear(); }

private:
    dlg::ComboBox& box_;
};

}  // namespace quellon
