#include "resources/generator/PictureSet.h"

#include "resources/generator/ArtText.h"
#include "resources/generator/BarPainter.h"
#include "resources/generator/EditorFacePainter.h"
#include "resources/generator/IconPainter.h"
#include "resources/generator/KnobStripPainter.h"

namespace
{
constexpr float faceJpegQuality = 0.92f;

PictureSet::Picture makePicture (const juce::String& resourceName, juce::MemoryBlock bytes)
{
    const auto fileName = resourceName.upToLastOccurrenceOf ("_", false, false) + "." + resourceName.fromLastOccurrenceOf ("_", false, false);
    return { resourceName, fileName, std::move (bytes) };
}
} // namespace

juce::MemoryBlock PictureSet::encodePng (const juce::Image& image)
{
    // The PNG writer stores an alpha channel only for images that have one.
    const auto rgba = image.convertedToFormat (juce::Image::ARGB);
    juce::MemoryBlock bytes;
    juce::MemoryOutputStream out (bytes, false);
    juce::PNGImageFormat().writeImageToStream (rgba, out);
    out.flush();
    return bytes;
}

juce::MemoryBlock PictureSet::encodeJpeg (const juce::Image& image)
{
    juce::MemoryBlock bytes;
    juce::MemoryOutputStream out (bytes, false);
    juce::JPEGImageFormat format;
    format.setQuality (faceJpegQuality);
    format.writeImageToStream (image.convertedToFormat (juce::Image::RGB), out);
    out.flush();
    return bytes;
}

std::vector<PictureSet::Picture> PictureSet::render (const void* robotoData, size_t robotoSize)
{
    const ArtText text (juce::Typeface::createSystemTypefaceFor (robotoData, robotoSize));
    const IconPainter icons (text);

    std::vector<Picture> pictures;
    pictures.push_back (makePicture ("knobGain_png", encodePng (KnobStripPainter::paintGainKnobStrip())));
    pictures.push_back (makePicture ("knob_png", encodePng (KnobStripPainter::paintKnobStrip())));
    pictures.push_back (makePicture ("vuMeterInput_png", encodePng (BarPainter::paintInputBar())));
    pictures.push_back (makePicture ("gainReductionBar_png", encodePng (BarPainter::paintReductionBar())));
    pictures.push_back (makePicture ("faderThumb_png", encodePng (BarPainter::paintFaderThumb())));
    pictures.push_back (makePicture ("gear_png", encodePng (IconPainter::paintGear())));
    pictures.push_back (makePicture ("background_jpg", encodeJpeg (EditorFacePainter (text).paint())));
    pictures.push_back (makePicture ("captionAmbiX_png", encodePng (icons.paintChannelCaption ("WYZX"))));
    pictures.push_back (makePicture ("vuMeterOutput_png", encodePng (BarPainter::paintOutputBar())));
    pictures.push_back (makePicture ("captionFuMa_png", encodePng (icons.paintChannelCaption ("WXYZ"))));
    pictures.push_back (makePicture ("welcome_png", encodePng (icons.paintWelcomeCard())));
    return pictures;
}
