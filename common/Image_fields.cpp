#include "Image_fields.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <algorithm>

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

namespace {

// Stores the value listed for the combo's item; no item, or one beyond the list, stores
// nothing.
std::function<bool(uint8_t&)> selectedValue(QComboBox* box, std::vector<uint8_t> values) {
    return [=](uint8_t& field) {
        const int index = box->currentIndex();
        if (index < 0 || size_t(index) >= values.size())
            return false;
        field = values[size_t(index)];
        return true;
    };
}

} // namespace

void ImageFields::add(int offset, uint8_t mask, std::function<void(uint8_t)> show,
                      std::function<bool(uint8_t&)> take, std::vector<QWidget*> sources) {
    for (QWidget* control : sources)
        userEdits.watch(control);
    fields.push_back({offset, mask, std::move(show), std::move(take), std::move(sources)});
}

void ImageFields::check(QAbstractButton* box, int offset, uint8_t mask, bool inverted,
                        std::vector<QWidget*> setters) {
    const uint8_t all = bits::get(mask, mask);
    setters.push_back(box);
    add(
        offset, mask, [=](uint8_t field) { box->setChecked((field == all) != inverted); },
        [=](uint8_t& field) {
            field = (box->isChecked() != inverted) ? all : 0;
            return true;
        },
        std::move(setters));
}

void ImageFields::combo(QComboBox* box, int offset, uint8_t mask, std::vector<uint8_t> values,
                        std::vector<std::pair<uint8_t, int>> aliases) {
    add(offset, mask,
        [=](uint8_t field) {
            int index = -1;
            for (size_t i = 0; i < values.size(); ++i)
                if (values[i] == field)
                    index = int(i);
            for (const auto& [value, item] : aliases)
                if (value == field)
                    index = item;
            box->setCurrentIndex(index);
        },
        selectedValue(box, values), {box});
}

void ImageFields::comboBelow(QComboBox* box, int offset, std::vector<uint8_t> values,
                             std::vector<int> limits, bool signedByte) {
    add(offset, 0xFF,
        [=](uint8_t field) {
            const int quantity = signedByte ? int(int8_t(field)) : int(field);
            size_t index = 0;
            while (index < limits.size() && quantity >= limits[index])
                ++index;
            box->setCurrentIndex(int(std::min(index, values.size() - 1)));
        },
        selectedValue(box, values), {box});
}

void ImageFields::comboIndex(QComboBox* box, int offset, uint8_t mask,
                             std::optional<uint8_t> noSelection, int pastList) {
    add(
        offset, mask,
        [=](uint8_t field) {
            const int item = field < box->count() ? field : pastList;
            box->setCurrentIndex(item);
            if (box->isEditable())
                box->setEditText(box->itemText(item)); // also over a text left from before
        },
        [=](uint8_t& field) {
            const int item = chosenItem(box);
            if (item < 0) {
                if (!noSelection)
                    return false;
                field = *noSelection;
                return true;
            }
            field = uint8_t(item);
            return true;
        },
        {box});
}

int ImageFields::chosenItem(const QComboBox* box) {
    if (box->isEditable())
        return box->findText(box->currentText(), Qt::MatchFixedString | Qt::MatchCaseSensitive);
    return box->currentIndex();
}

void ImageFields::number(QAbstractSlider* bar, int offset, uint8_t mask, int bias, int scale) {
    add(
        offset, mask, [=](uint8_t field) { bar->setValue(field / scale + bias); },
        [=](uint8_t& field) {
            field = uint8_t((bar->value() - bias) * scale);
            return true;
        },
        {bar});
}

void ImageFields::load(const uint8_t* image) {
    load([image](int offset) { return image[offset]; });
}

void ImageFields::store(uint8_t* image) const {
    store([image](int offset) { return image[offset]; },
          [image](int offset, uint8_t value) { image[offset] = value; });
}

void ImageFields::load(const ByteReader& read) {
    for (const Field& f : fields)
        f.show(bits::get(read(f.offset), f.mask));
    userEdits.clear();
}

void ImageFields::store(const ByteReader& read, const ByteWriter& write) const {
    for (const Field& f : fields) {
        uint8_t field = 0;
        if (userEdits.anyChanged(f.sources) && f.take(field))
            write(f.offset, bits::put(read(f.offset), f.mask, field));
    }
}

HeldBytes::HeldBytes(std::vector<int> offsets)
    : offsets(std::move(offsets)), values(this->offsets.size(), 0) {}

int HeldBytes::indexOf(int offset) const {
    const auto found = std::find(offsets.begin(), offsets.end(), offset);
    return found == offsets.end() ? -1 : int(found - offsets.begin());
}

void HeldBytes::take(const ImageFields::ByteReader& read) {
    for (size_t i = 0; i < offsets.size(); ++i)
        values[i] = read(offsets[i]);
}

ImageFields::ByteReader HeldBytes::reader(ImageFields::ByteReader image) const {
    return [this, image](int offset) {
        const int i = indexOf(offset);
        return i < 0 ? image(offset) : values[size_t(i)];
    };
}

ImageFields::ByteWriter HeldBytes::writer(ImageFields::ByteWriter image) {
    return [this, image](int offset, uint8_t value) {
        const int i = indexOf(offset);
        if (i < 0)
            image(offset, value);
        else
            values[size_t(i)] = value;
    };
}

void HeldBytes::putBack(const ImageFields::ByteWriter& write) const {
    for (size_t i = 0; i < offsets.size(); ++i)
        write(offsets[i], values[i]);
}
