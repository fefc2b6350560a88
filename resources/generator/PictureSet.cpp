#include "resources/generator/PictureSet.h"

#include "resources/generator/ArtText.h"
#include "resources/generator/BarPainter.h"
#include "resources/generator/EditorFacePainter.h"
#include "resources/generator/IconPainter.h"
#include "resources/generator/KnobStripPainter.h"

#include <cstdlib>
#include <jpeglib.h>

namespace
{
constexpr int faceJpegQuality = 100;

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
    // Written with libjpeg itself rather than the framework's writer, which
    // always halves the colour resolution both ways: the face's small red and
    // cyan print would bleed into the dark ground around it. Here every
    // component keeps full resolution. The integer transform gives the same
    // bytes on every machine. An encoding error can only be a programming
    // error; libjpeg's default handler then ends the program and the build.
    jpeg_compress_struct compressor {};
    jpeg_error_mgr errors {};
    compressor.err = jpeg_std_error (&errors);
    jpeg_create_compress (&compressor);

    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest (&compressor, &buffer, &size);

    compressor.image_width = (JDIMENSION) image.getWidth();
    compressor.image_height = (JDIMENSION) image.getHeight();
    compressor.input_components = 3;
    compressor.in_color_space = JCS_RGB;
    jpeg_set_defaults (&compressor);
    jpeg_set_quality (&compressor, faceJpegQuality, TRUE);
    compressor.dct_method = JDCT_ISLOW;
    compressor.optimize_coding = TRUE;

    for (int component = 0; component < compressor.num_components; ++component)
    {
        compressor.comp_info[component].h_samp_factor = 1;
        compressor.comp_info[component].v_samp_factor = 1;
    }

    jpeg_start_compress (&compressor, TRUE);

    const juce::Image::BitmapData pixels (image, juce::Image::BitmapData::readOnly);
    std::vector<JSAMPLE> row ((size_t) image.getWidth() * 3);

    while (compressor.next_scanline < compressor.image_height)
    {
        for (int x = 0; x < image.getWidth(); ++x)
        {
            const auto colour = pixels.getPixelColour (x, (int) compressor.next_scanline);
            row[(size_t) x * 3] = colour.getRed();
            row[(size_t) x * 3 + 1] = colour.getGreen();
            row[(size_t) x * 3 + 2] = colour.getBlue();
        }

        JSAMPROW rows[] = { row.data() };
        jpeg_write_scanlines (&compressor, rows, 1);
    }

    jpeg_finish_compress (&compressor);
    jpeg_destroy_compress (&compressor);

    juce::MemoryBlock bytes (buffer, size);
    std::free (buffer);
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
