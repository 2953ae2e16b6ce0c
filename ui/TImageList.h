#pragma once
// A list of equally sized pictures, copied out by index.

#include <QPixmap>

#include <vector>

namespace pellow {

class TImageList {
public:
    int Count() const { return int(images_.size()); }
    void Add(const QPixmap& image) { images_.push_back(image); }
    // Copies image `index` into `bitmap`; an index outside the list leaves it unchanged.
    void GetBitmap(int index, QPixmap& bitmap) const {
        if (index >= 0 && index < Count()) {
            bitmap = images_[std::size_t(index)];
        }
    }

private:
    std::vector<QPixmap> images_;
};

} // namespace pellow
