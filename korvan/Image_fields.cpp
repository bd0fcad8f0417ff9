#include "Image_fields.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QSpinBox>
#include <memory>

namespace bits {

int shiftOf(uint8_t mask) {
    if (mask == 0)
        return 0;
    int shift = 0;
    while (!(mask & (1u << shift)))
        ++shift;
    return shift;
}

uint8_t get(uint8_t byte, uint8_t mask) {
    return uint8_t((byte & mask) >> shiftOf(mask));
}

uint8_t put(uint8_t byte, uint8_t mask, uint8_t value) {
    return uint8_t((byte & ~mask) | ((value << shiftOf(mask)) & mask));
}

} // namespace bits

void ImageFields::add(int offset, uint8_t mask, std::function<void(uint8_t)> show,
                      std::function<bool(uint8_t&)> take) {
    fields.push_back({offset, mask, std::move(show), std::move(take)});
}

void ImageFields::check(QAbstractButton* box, int offset, uint8_t mask, bool inverted) {
    const uint8_t all = bits::get(mask, mask);
    add(
        offset, mask, [=](uint8_t field) { box->setChecked((field == all) != inverted); },
        [=](uint8_t& field) {
            field = (box->isChecked() != inverted) ? all : 0;
            return true;
        });
}

void ImageFields::combo(QComboBox* box, int offset, uint8_t mask, std::vector<uint8_t> values) {
    add(
        offset, mask,
        [=](uint8_t field) {
            int index = -1;
            for (size_t i = 0; i < values.size(); ++i)
                if (values[i] == field)
                    index = int(i);
            box->setCurrentIndex(index);
        },
        [=](uint8_t& field) {
            const int index = box->currentIndex();
            if (index < 0 || size_t(index) >= values.size())
                return false;
            field = values[size_t(index)];
            return true;
        });
}

void ImageFields::comboIndex(QComboBox* box, int offset, uint8_t mask,
                             std::optional<uint8_t> noSelection) {
    add(
        offset, mask,
        [=](uint8_t field) { box->setCurrentIndex(field < box->count() ? field : -1); },
        [=](uint8_t& field) {
            if (box->currentIndex() < 0) {
                if (!noSelection)
                    return false;
                field = *noSelection;
                return true;
            }
            field = uint8_t(box->currentIndex());
            return true;
        });
}

namespace {

// Remembers what a number control was loaded with, so an out-of-range stored value that
// the control had to clamp can be written back unchanged when the user did not touch it.
struct LoadedNumber {
    uint8_t stored = 0;
    int shown = 0;
};

// The field a number control stores: what it shows, less the bias, except that an
// untouched control keeps the stored value when asked to.
uint8_t numberField(const LoadedNumber& loaded, int value, int bias,
                    ImageFields::OutOfRange outOfRange) {
    if (value == loaded.shown && outOfRange == ImageFields::OutOfRange::KeepStored)
        return loaded.stored;
    return uint8_t(value - bias);
}

} // namespace

void ImageFields::number(QSpinBox* box, int offset, uint8_t mask, int bias, OutOfRange outOfRange) {
    auto loaded = std::make_shared<LoadedNumber>();
    add(
        offset, mask,
        [=](uint8_t field) {
            box->setValue(field + bias);
            *loaded = {field, box->value()};
        },
        [=](uint8_t& field) {
            field = numberField(*loaded, box->value(), bias, outOfRange);
            return true;
        });
}

void ImageFields::number(QAbstractSlider* bar, int offset, uint8_t mask, int bias,
                         OutOfRange outOfRange) {
    auto loaded = std::make_shared<LoadedNumber>();
    add(
        offset, mask,
        [=](uint8_t field) {
            bar->setValue(field + bias);
            *loaded = {field, bar->value()};
        },
        [=](uint8_t& field) {
            field = numberField(*loaded, bar->value(), bias, outOfRange);
            return true;
        });
}

void ImageFields::load(const uint8_t* image) {
    for (const Field& f : fields)
        f.show(bits::get(image[f.offset], f.mask));
}

void ImageFields::store(uint8_t* image) const {
    for (const Field& f : fields) {
        uint8_t field = 0;
        if (f.take(field))
            image[f.offset] = bits::put(image[f.offset], f.mask, field);
    }
}
