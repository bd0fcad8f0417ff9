#pragma once
// Tables of "this control edits these bits of that image byte". A dialog lists its
// controls once; load() sets them from the image and store() puts them back, changing
// only the listed bits and keeping every other bit as the image has it at that time.
// store() writes only the fields whose controls the user changed since load(), and then
// exactly what they show: a control the user left alone keeps its bits, also a stored value
// it cannot show (past its list, outside its range, between its steps), whatever Qt or the
// program set in it since.

#include "User_edits.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QAbstractButton;
class QAbstractSlider;
class QComboBox;
class QWidget;

namespace bits {

// Position of the lowest set bit of a mask (0 for mask 0).
int shiftOf(uint8_t mask);
// The field under `mask`, shifted down to bit 0.
uint8_t get(uint8_t byte, uint8_t mask);
// Replaces the field under `mask` with `value` (shifted up into place).
uint8_t put(uint8_t byte, uint8_t mask, uint8_t value);

} // namespace bits

// One row of a dialog's table of single-bit boxes: the box at member `box` of the form
// shows bit `bit` of image byte `offset`. Tables of these are constexpr data.
template <class Form, class Box> struct BitBox {
    int offset;
    int bit;
    Box* Form::*box;
    bool inverted = false; // ticked when the bit is clear
};

class ImageFields {
public:
    // Ticked when every bit of `mask` is set; with inverted, when every bit is clear.
    // `setters`: controls with which the user ticks or clears the box too (Select All).
    void check(QAbstractButton* box, int offset, uint8_t mask, bool inverted = false,
               std::vector<QWidget*> setters = {});
    // Every row of a BitBox table.
    template <class Form, class Box, std::size_t N>
    void checks(Form* form, const BitBox<Form, Box> (&table)[N]) {
        for (const auto& row : table)
            check(form->*row.box, row.offset, uint8_t(1u << row.bit), row.inverted);
    }
    // Item i stands for field value values[i]. A stored value with no item shows no
    // selection, and store() then keeps the stored bits. `aliases` lists further stored
    // values and the item each one shows ({field value, item}).
    void combo(QComboBox* box, int offset, uint8_t mask, std::vector<uint8_t> values,
               std::vector<std::pair<uint8_t, int>> aliases = {});
    // A whole byte read as a quantity: item i shows a stored value below limits[i] (and
    // not below the limit before it), a value at or above the last limit shows the last
    // item; store() writes values[i] of an item the user chose. signedByte reads 128..255
    // as negative.
    void comboBelow(QComboBox* box, int offset, std::vector<uint8_t> values,
                    std::vector<int> limits, bool signedByte = false);
    // The item index is the field value itself (see chosenItem). A stored value with no item
    // shows item `pastList` when given, else no selection; a combo the user left without a
    // selection stores `noSelection` when given, else keeps the stored bits.
    void comboIndex(QComboBox* box, int offset, uint8_t mask,
                    std::optional<uint8_t> noSelection = std::nullopt, int pastList = -1);
    // A bar showing the field value plus `bias` (clamped to its range). With a scale the
    // field holds (shown - bias) x scale (low bits) and shows as field / scale + bias.
    void number(QAbstractSlider* bar, int offset, uint8_t mask, int bias = 0, int scale = 1);

    // A field of the dialog's own kind: show() sets the controls from the field value,
    // take() gives the value they would store (false: none of their own, the bits stay).
    // It stores when the user changed any of `sources`, the controls it is made from.
    void add(int offset, uint8_t mask, std::function<void(uint8_t)> show,
             std::function<bool(uint8_t&)> take, std::vector<QWidget*> sources);
    // The record of the user's changes that store() goes by; a dialog may mark a change
    // no signal tells, or ask it for values of its own.
    UserEdits& edits() { return userEdits; }
    const UserEdits& edits() const { return userEdits; }
    // The item a combo holds: its current item, or for an editable combo the item its text
    // names exactly; -1 for none.
    static int chosenItem(const QComboBox* box);

    void load(const uint8_t* image);
    void store(uint8_t* image) const;
    // The same through an image's byte accessors.
    using ByteReader = std::function<uint8_t(int offset)>;
    using ByteWriter = std::function<void(int offset, uint8_t value)>;
    void load(const ByteReader& read);
    void store(const ByteReader& read, const ByteWriter& write) const;

private:
    struct Field {
        int offset;
        uint8_t mask;
        std::function<void(uint8_t field)> show;
        // Returns false when the control holds no value of its own (keep the image's bits).
        std::function<bool(uint8_t& field)> take;
        std::vector<QWidget*> sources;
    };
    std::vector<Field> fields;
    UserEdits userEdits;
};

// Image bytes a dialog holds while it is open: its fields are loaded from and stored into
// this copy, and the copy goes back to the image in the order the offsets were given.
class HeldBytes {
public:
    explicit HeldBytes(std::vector<int> offsets);

    // Copies the held bytes out of the image.
    void take(const ImageFields::ByteReader& read);
    // Readers and writers that reach the copy for the held offsets and the image for the
    // others.
    ImageFields::ByteReader reader(ImageFields::ByteReader image) const;
    ImageFields::ByteWriter writer(ImageFields::ByteWriter image);
    // Writes the copy back, byte by byte in the held order.
    void putBack(const ImageFields::ByteWriter& write) const;

private:
    int indexOf(int offset) const; // -1 when not held
    std::vector<int> offsets;
    std::vector<uint8_t> values;
};
