#pragma once
// A list of equally sized pictures, copied out by index.

#include "ui/Picture.h"

#include <vector>

namespace pellow {

class TImageList {
public:
    int Count() const { return int(images_.size()); }
    void Add(const TPicture& image) { images_.push_back(image); }
    // Copies image `index` into `bitmap`; an index outside the list leaves it unchanged.
    void GetBitmap(int index, TPicture& bitmap) const {
        if (index >= 0 && index < Count()) {
            bitmap = images_[std::size_t(index)];
        }
    }

private:
    std::vector<TPicture> images_;
};

} // namespace pellow
