#pragma once

#include <QCache>
#include <QImage>

#include <algorithm>

// Images that cost a blur to make (shadows, glows), kept for every widget that draws them and
// weighed by their size in KB: past the budget, the images drawn least recently go first.
template <typename Key> class BlurredImageCache {
public:
    explicit BlurredImageCache(int maxCostKB) : images_(maxCostKB) {}

    // The image kept for key, else the one make() returns, kept from now on. Null when that one
    // is larger than the whole budget: the caller draws nothing rather than blur every frame.
    template <typename Make> const QImage* find(const Key& key, Make&& make) {
        if (const QImage* image = images_.object(key))
            return image;
        ++made_;
        auto* image = new QImage(make());
        const int cost = std::max<int>(1, int(image->sizeInBytes() / 1024));
        return images_.insert(key, image, cost) ? image : nullptr;
    }

    int size() const { return int(images_.size()); }
    // Images blurred since the start.
    int made() const { return made_; }
    void clear() { images_.clear(); }

private:
    QCache<Key, QImage> images_;
    int made_ = 0;
};
